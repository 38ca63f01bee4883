#include "DesktopOpen.h"

#include "MessageBox.h"

#include <QDesktopServices>
#include <QObject>

namespace quivra::info {

bool openThroughDesktop(QWidget* parent, const QUrl& url) {
    if (url.isValid() && QDesktopServices::openUrl(url)) return true;
    const QString shown =
        url.isLocalFile() ? url.toLocalFile() : url.toDisplayString(QUrl::RemovePassword);
    const QString what = url.scheme() == QLatin1String("mailto")
                             ? QObject::tr("No e-mail program could start a message to %1.")
                         : url.isLocalFile() ? QObject::tr("The document %1 could not be opened.")
                                             : QObject::tr("The web page %1 could not be opened.");
    shell::MessageBox::information(parent, what.arg(shown));
    return false;
}

}  // namespace quivra::info
