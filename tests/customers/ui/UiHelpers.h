#pragma once
// Small helpers for driving the customer windows in tests.

#include "MessageBox.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

namespace quivra::customers::test {

template <class W = QLineEdit>
W* child(const QWidget& window, const char* objectName) {
    W* w = window.findChild<W*>(QString::fromLatin1(objectName));
    EXPECT_NE(w, nullptr) << objectName;
    return w;
}

// Sets a line edit as typing would (validators apply).
inline void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    edit->insert(text);
}

inline QStringList takeShownTexts() {
    QStringList texts = shell::MessageBox::shownTexts();
    shell::MessageBox::clearShownTexts();
    return texts;
}

inline QString qs(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace quivra::customers::test
