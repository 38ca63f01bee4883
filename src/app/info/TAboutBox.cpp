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

    // The picture fills the window; the texts stand on a light panel over it
    // so that they stay readable on any picture.
    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setAccessibleName(tr("Quivra"));
    if (!pictures::showIn(m_image, pictures::path(dataDir, QStringLiteral("splash.jpg")))) {
        m_image->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    }
    m_image->setMinimumSize(480, 320);

    auto* header = new QWidget;
    header->setObjectName(QStringLiteral("AboutHeader"));
    header->setAutoFillBackground(false);
    header->setStyleSheet(
        QStringLiteral("#AboutHeader, #AboutFooter { background: rgba(255, 255, 255, 215);"
                       " border-radius: 6px; } QLabel { color: #1d2a1d; }"));
    auto* headerLayout = new QVBoxLayout(header);
    headerLayout->addWidget(centredLabel(QStringLiteral("Label1"), tr("Quivra Archery"), true));
    headerLayout->addWidget(centredLabel(QStringLiteral("Label2"), tr("1200 Fletcher Road")));
    headerLayout->addWidget(centredLabel(QStringLiteral("Label3"), tr("Bowman Falls, ZZ 00000")));
    headerLayout->addWidget(centredLabel(
        QStringLiteral("Label4"),
        tr("Shaft selection 2012. Charts are a starting point: always tune your arrows.")));

    auto* footer = new QWidget;
    footer->setObjectName(QStringLiteral("AboutFooter"));
    footer->setStyleSheet(header->styleSheet());
    auto* footerLayout = new QVBoxLayout(footer);
    footerLayout->addWidget(centredLabel(QStringLiteral("Label5"), tr("Visit our WWW site:")));
    m_webLink = new HyperlinkLabel(links::kWebSiteText, QUrl(links::kWebSite));
    m_webLink->setObjectName(QStringLiteral("HyperLblWeb"));
    footerLayout->addWidget(m_webLink, 0, Qt::AlignHCenter);

    auto* okButton = new QPushButton(tr("OK"));
    okButton->setObjectName(QStringLiteral("OKButton"));
    okButton->setAccessibleName(okButton->text());
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* overlay = new QVBoxLayout(m_image);
    overlay->setContentsMargins(16, 16, 16, 16);
    overlay->addWidget(header);
    overlay->addStretch(1);
    overlay->addWidget(footer, 0, Qt::AlignHCenter);
    overlay->addWidget(okButton, 0, Qt::AlignHCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_image);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    okButton->setFocus();
}

}  // namespace quivra::info
