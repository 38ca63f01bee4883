#include "SlotButton.h"

#include <array>

namespace quivra::app {

namespace {
constexpr std::array<char, 4> kPagePrefix{'H', 'T', 'Y', 'B'};
constexpr std::array<const char*, 4> kColumnCode{"Sz", "Sp", "Md", "Wt"};
}  // namespace

SlotButton::SlotButton(core::Page page, int slot, SlotColumn column, const QString& pageCaption,
                       QWidget* parent)
    : QPushButton(parent), m_page(page), m_slot(slot), m_column(column) {
    setObjectName(objectNameFor(page, slot, column));
    setAccessibleDescription(pageCaption + QStringLiteral(" slot ") + QString::number(slot) +
                             QLatin1Char(' ') + columnName(column).toLower());
    // Every cell that can be clicked can be reached with Tab (the carbon
    // "Details" weight buttons as well as the size buttons); disabled
    // display cells are passed over.
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    // The display cells are disabled most of the time; their text must stay
    // readable, so it is drawn in dark grey rather than the faint default.
    QPalette pal = palette();
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(70, 70, 70));
    setPalette(pal);
    // Start empty: a grid never shows design-time placeholders, and an empty
    // cell is never clickable.
    m_state.caption.clear();
    m_state.showCaption = true;
    m_state.enabled = false;
    setEnabled(m_state.enabled);
    refreshAccessibleName();
}

void SlotButton::apply(const selection::GridButton& state) {
    if (state == m_state) return;
    const bool textChanged =
        state.caption != m_state.caption || state.showCaption != m_state.showCaption;
    if (textChanged) {
        setText(state.showCaption ? QString::fromStdString(state.caption) : QString());
    }
    if (state.enabled != m_state.enabled) setEnabled(state.enabled);
    if (state.hint != m_state.hint) setToolTip(QString::fromStdString(state.hint));
    m_state = state;
    if (textChanged) refreshAccessibleName();
}

void SlotButton::refreshAccessibleName() {
    // A cell that shows nothing is announced as the empty cell it is
    // ("Hunting slot 4 size, empty"), not by its column name alone.
    const QString shown = text();
    setAccessibleName(shown.isEmpty() ? accessibleDescription() + QStringLiteral(", empty")
                                      : shown);
}

QString SlotButton::columnName(SlotColumn column) {
    switch (column) {
        case SlotColumn::Size:
            return QStringLiteral("Size");
        case SlotColumn::Spine:
            return QStringLiteral("Spine");
        case SlotColumn::Models:
            return QStringLiteral("Models");
        case SlotColumn::Weight:
            return QStringLiteral("Weight");
    }
    return {};
}

QString SlotButton::objectNameFor(core::Page page, int slot, SlotColumn column) {
    return QLatin1Char(kPagePrefix[static_cast<std::size_t>(page)]) +
           QLatin1String(kColumnCode[static_cast<std::size_t>(column)]) + QStringLiteral("Btn") +
           QString::number(slot);
}

}  // namespace quivra::app
