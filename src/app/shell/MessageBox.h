#pragma once
// MessageBox: every modal notice, error box, question and input box of the
// program goes through here, so that tests can answer a box before it opens.
//
// In normal use each call shows a modal box and waits.  A test queues answers
// with setNextAnswer()/setNextInput() or turns on auto-answer mode; a queued or
// automatic answer returns at once and no box is shown.  Every text passed to a
// box is recorded in shownTexts() either way, so tests can check what the user
// was told.

#include <QString>
#include <QStringList>

class QWidget;

namespace quivra::shell {

class MessageBox {
public:
    enum class Answer { Ok, Cancel, Yes, No, Save, Discard };

    // Modal information box with one OK button ("Information" box).
    static void information(QWidget* parent, const QString& text, const QString& title = {});
    // Modal error box with one OK button.
    static void error(QWidget* parent, const QString& text, const QString& title = {});
    // Modal question with Yes and No; returns Yes or No.
    static Answer question(QWidget* parent, const QString& title, const QString& text);
    // Modal question about unsaved changes with Save, Discard and Cancel;
    // returns one of the three (Escape cancels).  Auto-answer mode discards.
    static Answer askToSave(QWidget* parent, const QString& text);
    // Input box with caption, prompt and default text.  Returns the text typed,
    // or an empty text when the user cancels (the box's classic behaviour).
    static QString inputBox(QWidget* parent, const QString& caption, const QString& prompt,
                            const QString& defaultText = {});

    // --- test seam ------------------------------------------------------------
    // The next box returns `answer` without being shown.
    static void setNextAnswer(Answer answer);
    // The next input box returns `text` (empty text models Cancel).
    static void setNextInput(const QString& text);
    // While on, every box without a queued answer returns Ok/Yes/empty at once.
    static void setAutoAnswer(bool on);
    // Texts of the boxes since the last clear, in order.
    static QStringList shownTexts();
    static void clearShownTexts();
};

}  // namespace quivra::shell
