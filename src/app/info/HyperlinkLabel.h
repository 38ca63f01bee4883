#pragma once
// HyperlinkLabel: a label that looks and acts like a link.  A click, or Enter
// or Space while it has the focus, opens its address through the desktop
// (web pages in the browser, mailto: addresses in the mail program).  A
// desktop that refuses the address is reported in an information box.

#include <QLabel>
#include <QUrl>

namespace quivra::info {

class HyperlinkLabel : public QLabel {
    Q_OBJECT
public:
    HyperlinkLabel(const QString& text, const QUrl& url, QWidget* parent = nullptr);
    explicit HyperlinkLabel(QWidget* parent = nullptr);

    void setUrl(const QUrl& url);
    [[nodiscard]] QUrl url() const { return m_url; }
    // Sets the visible text (plain text, shown underlined).
    void setLinkText(const QString& text);

    // Opens the address now, as a click would.  Returns true when the desktop
    // accepted it.
    bool activate();

signals:
    void activated(const QUrl& url);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QUrl m_url;
};

}  // namespace quivra::info
