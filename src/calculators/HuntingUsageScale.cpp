#include "HuntingUsageScale.h"

#include <QLabel>
#include <QPainter>
#include <QProgressBar>

#include <algorithm>

namespace quivra::calculators {

namespace {

constexpr int kBarWidth = 22;
constexpr int kGap = 10;
constexpr std::array<int, 3> kMarks{25, 41, 65};
// Each class label sits in the middle of its band of the scale.
constexpr std::array<int, 5> kBands{0, 25, 41, 65, 100};

}  // namespace

HuntingUsageScale::HuntingUsageScale(QWidget* parent) : QWidget(parent) {
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ALProgressBar1"));
    m_bar->setAccessibleName(tr("Hunting Usage"));
    m_bar->setOrientation(Qt::Vertical);
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    m_bar->setValue(35);

    const std::array<QString, 4> names{tr("Small Game"), tr("Medium Game"), tr("Big Game"),
                                       tr("Largest Game")};
    for (std::size_t i = 0; i < names.size(); ++i) {
        m_classLabels[i] = new QLabel(names[i], this);
        m_classLabels[i]->setAccessibleName(names[i]);
    }
}

void HuntingUsageScale::setLevel(int level) {
    m_bar->setValue(std::clamp(level, 0, 100));
}

int HuntingUsageScale::level() const {
    return m_bar->value();
}

QSize HuntingUsageScale::sizeHint() const {
    int widest = 0;
    for (const auto* label : m_classLabels) widest = std::max(widest, label->sizeHint().width());
    return {kBarWidth + kGap + widest + 4, 220};
}

int HuntingUsageScale::yOf(int level) const {
    const QRect bar = m_bar->geometry();
    return bar.bottom() - (bar.height() - 1) * level / 100;
}

void HuntingUsageScale::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int margin = fontMetrics().height() / 2;
    m_bar->setGeometry(0, margin, kBarWidth, height() - 2 * margin);
    for (std::size_t i = 0; i < m_classLabels.size(); ++i) {
        QLabel* label = m_classLabels[i];
        const int middle = (yOf(kBands[i]) + yOf(kBands[i + 1])) / 2;
        const QSize size = label->sizeHint();
        label->setGeometry(kBarWidth + kGap, middle - size.height() / 2, size.width(),
                           size.height());
    }
}

void HuntingUsageScale::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    for (const int mark : kMarks) {
        const int y = yOf(mark);
        painter.drawLine(kBarWidth + 1, y, kBarWidth + kGap - 3, y);
    }
}

}  // namespace quivra::calculators
