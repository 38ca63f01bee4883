#pragma once
// UpDown: a pair of arrow buttons bound to a text field (its buddy).  The
// arrows (and the Up/Down keys inside the buddy) step the number in the text
// by `step` within [minimum, maximum] and write the new position into the
// buddy's text, which raises the buddy's textChanged like any other edit.
//
// The range and step limit the arrows only: a typed value outside the range
// stays as typed.  A step starts from the buddy's current integer value,
// pulled into the range, or from the last position when the text is not a
// whole number.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace quivra::app {

class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(int minimum, int maximum, int step, int position, QWidget* parent = nullptr);
    ~UpDown() override;
    UpDown(const UpDown&) = delete;
    UpDown& operator=(const UpDown&) = delete;

    // Binds the arrows to `buddy` (not owned; must outlive this control or be
    // unbound first).  The arrows take the buddy's height.
    void setBuddy(QLineEdit* buddy);
    [[nodiscard]] QLineEdit* buddy() const { return m_buddy; }

    [[nodiscard]] int minimum() const { return m_minimum; }
    [[nodiscard]] int maximum() const { return m_maximum; }
    [[nodiscard]] int step() const { return m_step; }
    // The position the arrows step from: the buddy's value within the range.
    [[nodiscard]] int position() const;

    // Moves `steps` steps up (positive) or down and writes the result into
    // the buddy.  What one click on an arrow does.
    void stepBy(int steps);

    // Names the arrows for assistive technology after the field's label.
    void setFieldLabel(const QString& label);

    [[nodiscard]] QToolButton* upButton() const { return m_up; }
    [[nodiscard]] QToolButton* downButton() const { return m_down; }

    [[nodiscard]] QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
    QLineEdit* m_buddy = nullptr;
    int m_minimum;
    int m_maximum;
    int m_step;
    int m_position;
};

}  // namespace quivra::app
