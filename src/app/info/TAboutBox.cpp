#include "TAboutBox.h"

#include "HyperlinkLabel.h"
#include "Links.h"
#include "Pictures.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quivra::info {

namespace {

QLabel* centredLabel(const QString& name, const QString& text, bool bold = false) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignHCenter);
    label->setAccessibleName(text);
    if (bold) {
        QFont heading = label->font();
        heading.setBold(true);
        heading.setPointSizeF(heading.pointSizeF() * 1.3);
        label->setFont(heading);
    }
    return label;
}

}  // namespace

TAboutBox::TAboutBox(const std::filesystem::path& dataDir, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(tr("About 2012"));

    auto* header = new QVBoxLayout;
    header->setContentsMargins(16, 12, 16, 8);
    header->addWidget(centredLabel(QStringLiteral("Label1"), tr("Quivra Archery"), true));
    header->addWidget(centredLabel(QStringLiteral("Label2"), tr("1200 Fletcher Road")));
    header->addWidget(centredLabel(QStringLiteral("Label3"), tr("Bowman Falls, ZZ 00000")));
    QLabel* notice =
        centredLabel(QStringLiteral("Label4"),
                     tr("Shaft charts are a starting point: always tune your arrows to your bow."));
    notice->setWordWrap(true);
    header->addWidget(notice);

    // The splash picture spans the whole width of the window; the texts stand
    // above and below it so that none of them covers the picture's own text.
    m_image = new QLabel;
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setAccessibleName(tr("Quivra"));
    m_image->setAlignment(Qt::AlignCenter);
    if (!pictures::showIn(m_image, pictures::path(dataDir, QStringLiteral("splash.jpg")))) {
        m_image->setFrameShape(QFrame::StyledPanel);
        m_image->setFixedSize(480, 320);
    }

    m_webLink = new HyperlinkLabel(links::kWebSiteText, QUrl(links::kWebSite));
    m_webLink->setObjectName(QStringLiteral("HyperLblWeb"));
    auto* okButton = new QPushButton(tr("OK"));
    okButton->setObjectName(QStringLiteral("OKButton"));
    okButton->setAccessibleName(okButton->text());
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* footer = new QVBoxLayout;
    footer->setContentsMargins(16, 8, 16, 12);
    footer->addWidget(centredLabel(QStringLiteral("Label5"), tr("Visit our WWW site:")));
    footer->addWidget(m_webLink, 0, Qt::AlignHCenter);
    footer->addSpacing(6);
    footer->addWidget(okButton, 0, Qt::AlignHCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(header);
    layout->addWidget(m_image);
    layout->addLayout(footer);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    okButton->setFocus();
}

}  // namespace quivra::info
