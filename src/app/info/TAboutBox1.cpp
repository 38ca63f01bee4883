#include "TAboutBox1.h"

#include "HyperlinkLabel.h"
#include "Links.h"
#include "Pictures.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace quivra::info {

namespace {

struct GuidePage {
    core::Page page;
    int image;
    const char* pictureFile;
    const char* caption;
    int link;
};

// What each page shows.  Target and Youth share the picture and the
// caption but have their own links.
constexpr GuidePage kGuidePages[] = {
    {core::Page::Hunt, 0, "guide_hunt.jpg", "2012 Hunting Shaft Models Guide", 0},
    {core::Page::Targ, 1, "guide_targ.jpg", "2012 Target/Youth Shaft Models Guide", 1},
    {core::Page::Youth, 1, "guide_targ.jpg", "2012 Target/Youth Shaft Models Guide", 2},
    {core::Page::Kstr, 2, "guide_kstr.jpg", "2012 Kestra Shaft Models Guide", 3},
};

}  // namespace

TAboutBox1::TAboutBox1(std::optional<core::Page> page, std::filesystem::path dataDir,
                       QWidget* parent)
    : QDialog(parent), m_page(page), m_dataDir(std::move(dataDir)) {
    setObjectName(QStringLiteral("AboutBox1"));
    setWindowTitle(tr("2012 Shaft Models Guide"));

    auto* pictures = new QWidget;
    auto* pictureLayout = new QVBoxLayout(pictures);
    pictureLayout->setContentsMargins(0, 0, 0, 0);
    const QString hint = tr("Use scroll bars and\narrows to view all items");
    for (std::size_t i = 0; i < m_images.size(); ++i) {
        auto* image = new QLabel;
        image->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        image->setToolTip(hint);
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        image->hide();
        pictureLayout->addWidget(image);
        m_images[i] = image;
    }
    pictureLayout->addStretch();

    m_scrollBox = new QScrollArea;
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_scrollBox->setAccessibleName(tr("Shaft models guide"));
    m_scrollBox->setToolTip(hint);
    m_scrollBox->setWidget(pictures);
    m_scrollBox->setWidgetResizable(true);
    m_scrollBox->setFixedSize(1000, 530);

    const std::array<std::pair<const char*, QString>, 4> linkSpecs{{
        {"HyperLblHunt", links::kHuntingGuide},
        {"HyperLblTarg", links::kTargetGuide},
        {"HyperLblYouth", links::kYouthGuide},
        {"HyperLblKestra", links::kKestraGuide},
    }};
    const std::array<QString, 4> linkTexts{
        tr("View the hunting shaft guide online"), tr("View the target shaft guide online"),
        tr("View the youth shaft guide online"), tr("View the Kestra shaft guide online")};
    // The four links share one place; at most one is visible.
    auto* linkCell = new QGridLayout;
    for (std::size_t i = 0; i < m_links.size(); ++i) {
        auto* link = new HyperlinkLabel(linkTexts[i], QUrl(linkSpecs[i].second));
        link->setObjectName(QLatin1String(linkSpecs[i].first));
        link->hide();
        linkCell->addWidget(link, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
        m_links[i] = link;
    }

    auto* closeButton = new QPushButton(tr("Close"));
    closeButton->setObjectName(QStringLiteral("KECloseBtn"));
    closeButton->setAccessibleName(closeButton->text());
    closeButton->setToolTip(tr("Click to Exit"));
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &TAboutBox1::KECloseBtnClick);

    auto* bottom = new QHBoxLayout;
    bottom->addLayout(linkCell, 1);
    bottom->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_scrollBox);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLabel* TAboutBox1::image(int index) const {
    return m_images.at(static_cast<std::size_t>(index));
}

HyperlinkLabel* TAboutBox1::link(int index) const {
    return m_links.at(static_cast<std::size_t>(index));
}

void TAboutBox1::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TAboutBox1::FormActivate() {
    for (auto* link : m_links) link->hide();
    for (const auto& page : kGuidePages) {
        if (m_page != page.page) continue;
        setWindowTitle(QLatin1String(page.caption));
        showImage(page.image, QLatin1String(page.pictureFile));
        m_links[static_cast<std::size_t>(page.link)]->show();
    }
}

void TAboutBox1::showImage(int index, const QString& fileName) {
    QLabel* image = m_images[static_cast<std::size_t>(index)];
    // Pictures are decoded only when they are wanted: they are large.
    if (image->pixmap().isNull() && image->text().isEmpty()) {
        if (!pictures::showIn(image, pictures::path(m_dataDir, fileName))) {
            image->setMinimumSize(m_scrollBox->width() - 24, m_scrollBox->height() - 24);
        }
        image->setAccessibleName(windowTitle());
    }
    image->show();
}

void TAboutBox1::KECloseBtnClick() {
    close();
}

}  // namespace quivra::info
