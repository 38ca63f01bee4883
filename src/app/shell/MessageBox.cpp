#include "MessageBox.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include <deque>

namespace quivra::shell {

namespace {

struct Seam {
    std::deque<MessageBox::Answer> answers;
    std::deque<QString> inputs;
    bool autoAnswer = false;
    QStringList shown;
};

Seam& seam() {
    static Seam s;
    return s;
}

QString titleOr(const QString& title, const char* fallback) {
    if (!title.isEmpty()) return title;
    const QString app = QApplication::applicationDisplayName();
    return app.isEmpty() ? QString::fromLatin1(fallback) : app;
}

// Pops a queued answer; returns false when the box must really be shown.
bool takeAnswer(MessageBox::Answer fallback, MessageBox::Answer* out) {
    Seam& s = seam();
    if (!s.answers.empty()) {
        *out = s.answers.front();
        s.answers.pop_front();
        return true;
    }
    if (s.autoAnswer) {
        *out = fallback;
        return true;
    }
    return false;
}

}  // namespace

void MessageBox::information(QWidget* parent, const QString& text, const QString& title) {
    seam().shown << text;
    Answer a{};
    if (takeAnswer(Answer::Ok, &a)) return;
    QMessageBox box(QMessageBox::Information, titleOr(title, "Information"), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

void MessageBox::error(QWidget* parent, const QString& text, const QString& title) {
    seam().shown << text;
    Answer a{};
    if (takeAnswer(Answer::Ok, &a)) return;
    QMessageBox box(QMessageBox::Critical, titleOr(title, "Error"), text, QMessageBox::Ok, parent);
    box.exec();
}

MessageBox::Answer MessageBox::question(QWidget* parent, const QString& title,
                                        const QString& text) {
    seam().shown << text;
    Answer a{};
    if (takeAnswer(Answer::Yes, &a)) return a;
    QMessageBox box(QMessageBox::Question, titleOr(title, "Question"), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

MessageBox::Answer MessageBox::askToSave(QWidget* parent, const QString& text) {
    seam().shown << text;
    Answer a{};
    if (takeAnswer(Answer::Discard, &a)) return a;
    QMessageBox box(QMessageBox::Question, titleOr({}, "Question"), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save:
            return Answer::Save;
        case QMessageBox::Discard:
            return Answer::Discard;
        default:
            return Answer::Cancel;
    }
}

QString MessageBox::inputBox(QWidget* parent, const QString& caption, const QString& prompt,
                             const QString& defaultText) {
    Seam& s = seam();
    s.shown << prompt;
    if (!s.inputs.empty()) {
        QString text = s.inputs.front();
        s.inputs.pop_front();
        return text;
    }
    if (s.autoAnswer) return defaultText;
    bool ok = false;
    QString text =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

void MessageBox::setNextAnswer(Answer answer) {
    seam().answers.push_back(answer);
}
void MessageBox::setNextInput(const QString& text) {
    seam().inputs.push_back(text);
}
void MessageBox::setAutoAnswer(bool on) {
    seam().autoAnswer = on;
}
QStringList MessageBox::shownTexts() {
    return seam().shown;
}
void MessageBox::clearShownTexts() {
    seam().shown.clear();
}

}  // namespace quivra::shell
