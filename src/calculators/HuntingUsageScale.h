#pragma once
// The "Hunting Usage" scale beside the kinetic energy: a vertical bar
// (ALProgressBar1, 0 to 100, filled from the bottom, no number drawn) with
// the four game classes labelled beside it, bottom to top, and division marks
// at the class limits 25, 41 and 65.

#include <QWidget>

#include <array>

class QLabel;
class QProgressBar;

namespace quivra::calculators {

class HuntingUsageScale : public QWidget {
    Q_OBJECT
public:
    explicit HuntingUsageScale(QWidget* parent = nullptr);

    void setLevel(int level);
    [[nodiscard]] int level() const;
    [[nodiscard]] QProgressBar* bar() const { return m_bar; }

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The y coordinate of a level (0..100) along the bar.
    [[nodiscard]] int yOf(int level) const;

    QProgressBar* m_bar = nullptr;
    std::array<QLabel*, 4> m_classLabels{};
};

}  // namespace quivra::calculators
