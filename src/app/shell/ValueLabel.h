#pragma once
// ValueLabel: a label that shows a value the program worked out or read (a
// shaft weight, a kinetic energy, a customer's bow weight), announced to
// assistive technology with its caption and its value:
//  - accessible name: the caption the window prints beside it ("Shaft
//    Weight:"), given at construction;
//  - accessible value, and the text of its text interface: what it shows now;
//  - every change of the shown text is announced as a text update.
// A plain QLabel named after its caption would hide the value it shows.

#include <QLabel>

namespace quivra::shell {

class ValueLabel : public QLabel {
    Q_OBJECT
public:
    explicit ValueLabel(const QString& caption, QWidget* parent = nullptr);

    [[nodiscard]] QString caption() const { return accessibleName(); }
    // Shows `text` (plain text) and announces the change.  Hides
    // QLabel::setText on purpose: a value is always shown through here.
    void setText(const QString& text);
};

}  // namespace quivra::shell
