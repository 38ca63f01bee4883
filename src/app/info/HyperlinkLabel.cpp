#include "HyperlinkLabel.h"

#include "DesktopOpen.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace quivra::info {

HyperlinkLabel::HyperlinkLabel(const QString& text, const QUrl& url, QWidget* parent)
    : HyperlinkLabel(parent) {
    setLinkText(text);
    setUrl(url);
}

HyperlinkLabel::HyperlinkLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setTextFormat(Qt::PlainText);
    QFont linkFont = font();
    linkFont.setUnderline(true);
    setFont(linkFont);
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
    setPalette(linkPalette);
}

void HyperlinkLabel::setUrl(const QUrl& url) {
    m_url = url;
    setToolTip(url.scheme() == QLatin1String("mailto") ? url.path() : url.toDisplayString());
    setAccessibleDescription(url.toDisplayString());
}

void HyperlinkLabel::setLinkText(const QString& text) {
    setText(text);
    setAccessibleName(text);
}

bool HyperlinkLabel::activate() {
    emit activated(m_url);
    return openThroughDesktop(this, m_url);
}

void HyperlinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        activate();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void HyperlinkLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        activate();
        return;
    }
    QLabel::keyPressEvent(event);
}

void HyperlinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    // A label draws no focus cue of its own; keyboard users need one.
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

}  // namespace quivra::info
