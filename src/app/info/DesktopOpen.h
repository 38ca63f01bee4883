#pragma once
// Opening addresses and documents through the desktop, with a clear notice
// when the desktop cannot do it.

#include <QUrl>

class QWidget;

namespace quivra::info {

// Asks the desktop to open `url`.  On refusal an information box tells the
// user which address could not be opened.  Returns true when accepted.
bool openThroughDesktop(QWidget* parent, const QUrl& url);

}  // namespace quivra::info
