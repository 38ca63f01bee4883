#include "ValueLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace quivra::shell {

namespace {

// A read-only text with the caption as its name and the shown text as its
// value; screen readers that read text objects get the value through the
// text interface as well.
class ValueLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ValueLabelAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                return widget()->accessibleName();
            case QAccessible::Value:
                return shown();
            default:
                return QAccessibleWidget::text(t);
        }
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // QAccessibleTextInterface: the shown text, read only, nothing selected.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        return shown().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(shown().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    [[nodiscard]] QString shown() const { return static_cast<const QLabel*>(widget())->text(); }
};

QAccessibleInterface* valueLabelInterface(const QString& className, QObject* object) {
    if (className == QLatin1String(ValueLabel::staticMetaObject.className()) &&
        object->isWidgetType()) {
        return new ValueLabelAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}

}  // namespace

ValueLabel::ValueLabel(const QString& caption, QWidget* parent) : QLabel(parent) {
    static const bool installed = (QAccessible::installFactory(valueLabelInterface), true);
    (void)installed;
    setAccessibleName(caption);
    setTextFormat(Qt::PlainText);
}

void ValueLabel::setText(const QString& text) {
    const QString old = QLabel::text();
    if (text == old) return;
    QLabel::setText(text);
    QAccessibleTextUpdateEvent event(this, 0, old, text);
    QAccessible::updateAccessibility(&event);
}

}  // namespace quivra::shell
