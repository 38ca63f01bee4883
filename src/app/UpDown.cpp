#include "UpDown.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <charconv>

namespace quivra::app {

namespace {

// The whole-number value of a text, if it is one (optional blanks around an
// optional sign and digits; no locale).
bool parseInt(const QString& text, int* out) {
    const QByteArray bytes = text.trimmed().toLatin1();
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    if (first != last && *first == '+') ++first;
    if (first == last) return false;
    const auto [ptr, ec] = std::from_chars(first, last, *out);
    return ec == std::errc() && ptr == last;
}

QToolButton* makeArrow(Qt::ArrowType type, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(type);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    return button;
}

}  // namespace

UpDown::UpDown(int minimum, int maximum, int step, int position, QWidget* parent)
    : QWidget(parent),
      m_up(makeArrow(Qt::UpArrow, this)),
      m_down(makeArrow(Qt::DownArrow, this)),
      m_minimum(minimum),
      m_maximum(maximum),
      m_step(step),
      m_position(std::clamp(position, minimum, maximum)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

UpDown::~UpDown() {
    if (m_buddy) m_buddy->removeEventFilter(this);
}

void UpDown::setBuddy(QLineEdit* buddy) {
    if (m_buddy) m_buddy->removeEventFilter(this);
    m_buddy = buddy;
    if (m_buddy) {
        m_buddy->installEventFilter(this);
        setFixedHeight(m_buddy->sizeHint().height());
    }
}

int UpDown::position() const {
    int value = 0;
    if (m_buddy && parseInt(m_buddy->text(), &value)) {
        return std::clamp(value, m_minimum, m_maximum);
    }
    return m_position;
}

void UpDown::stepBy(int steps) {
    if (!isEnabled()) return;
    const long long next =
        static_cast<long long>(position()) + static_cast<long long>(steps) * m_step;
    m_position = static_cast<int>(std::clamp<long long>(next, m_minimum, m_maximum));
    if (m_buddy) m_buddy->setText(QString::number(m_position));
}

void UpDown::setFieldLabel(const QString& label) {
    setAccessibleName(label + QStringLiteral(" arrows"));
    m_up->setAccessibleName(QStringLiteral("Increase ") + label);
    m_down->setAccessibleName(QStringLiteral("Decrease ") + label);
}

QSize UpDown::sizeHint() const {
    const int height = m_buddy ? m_buddy->sizeHint().height() : 24;
    return {17, height};
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_buddy && event->type() == QEvent::KeyPress && isEnabled()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            stepBy(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace quivra::app
