#pragma once
// Banner: an advertising strip that cycles its pictures (one every 20000 ms
// unless told otherwise) and opens a product page when clicked.

#include "Page.h"
#include "PictureCycler.h"

#include <QUrl>

namespace quivra::info {

class Banner : public PictureCycler {
    Q_OBJECT
public:
    static constexpr int kDefaultIntervalMs = 20000;

    explicit Banner(QWidget* parent = nullptr);
    Banner(const std::vector<std::filesystem::path>& pictureFiles, const QUrl& url,
           QWidget* parent = nullptr);

    void setUrl(const QUrl& url);
    [[nodiscard]] QUrl url() const { return m_url; }

    // Opens the product page, as a click does.  Returns true when the
    // desktop accepted it.
    bool activate();

signals:
    void activated(const QUrl& url);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QUrl m_url;
};

// The banner of a category page ("Hunt", "Targ", "Youth", "Kstr"): its
// frames banner_<page>_1.jpg, ... from `<dataDir>/pictures/`, the page's
// product address and an accessible name, already running.
Banner* makePageBanner(core::Page page, const std::filesystem::path& dataDir,
                       QWidget* parent = nullptr);

}  // namespace quivra::info
