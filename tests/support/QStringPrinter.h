#pragma once
// Readable QString values in GoogleTest failure messages ("text" instead of
// a byte dump).  Header only: widget tests include it without linking the
// table helpers of this folder.

#include <QString>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE
