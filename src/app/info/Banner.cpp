#include "Banner.h"

#include "DesktopOpen.h"
#include "Links.h"
#include "Pictures.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace quivra::info {

Banner::Banner(QWidget* parent) : PictureCycler(parent) {
    setInterval(kDefaultIntervalMs);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(tr("Product banner"));
}

Banner::Banner(const std::vector<std::filesystem::path>& pictureFiles, const QUrl& url,
               QWidget* parent)
    : Banner(parent) {
    setPictureFiles(pictureFiles);
    setUrl(url);
    start();
}

void Banner::setUrl(const QUrl& url) {
    m_url = url;
    setToolTip(url.toDisplayString());
    setAccessibleDescription(url.toDisplayString());
}

bool Banner::activate() {
    emit activated(m_url);
    return openThroughDesktop(this, m_url);
}

void Banner::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        activate();
        return;
    }
    PictureCycler::mouseReleaseEvent(event);
}

void Banner::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        activate();
        return;
    }
    PictureCycler::keyPressEvent(event);
}

Banner* makePageBanner(core::Page page, const std::filesystem::path& dataDir, QWidget* parent) {
    // The pictures and the object name carry the page key: banner_hunt_*.jpg, BannerHunt.
    const QString pageKey = QString::fromLatin1(core::pageKey(page));
    const QString stem = pageKey.toLower();
    auto* banner = new Banner(pictures::list(dataDir, QStringLiteral("banner_%1_").arg(stem)),
                              links::productPage(page), parent);
    banner->setObjectName(QStringLiteral("Banner%1").arg(pageKey));
    banner->setAccessibleName(QObject::tr("Product banner"));
    banner->setFixedSize(175, 32);
    return banner;
}

}  // namespace quivra::info
