#include "WindowRole.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QSet>
#include <QString>
#include <QWidget>

namespace quivra::shell {

namespace {

QSet<QString>& windowClasses() {
    static QSet<QString> classes;
    return classes;
}

QAccessibleInterface* windowInterface(const QString& className, QObject* object) {
    if (!object->isWidgetType() || !windowClasses().contains(className)) return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

}  // namespace

void announceAsWindow(const char* className) {
    if (windowClasses().isEmpty()) QAccessible::installFactory(windowInterface);
    windowClasses().insert(QString::fromLatin1(className));
}

}  // namespace quivra::shell
