#pragma once
// SlotButton: one cell of a recommendation grid (size, spine, models or
// weight of one slot).  It shows the state a search leaves in a GridButton:
// caption, show-caption switch, enabled flag and hint (tooltip).  The caption
// is kept while the switch hides it, as the reports and the detail request
// read captions, not what is painted.

#include "RecommendationSlot.h"
#include "SelectionInputs.h"

#include <QPushButton>

namespace quivra::app {

enum class SlotColumn { Size, Spine, Models, Weight };

class SlotButton : public QPushButton {
    Q_OBJECT
public:
    // objectName such as "HSzBtn3"; `pageCaption` such as "Hunting" names the
    // cell for assistive technology ("Hunting slot 3 size").
    SlotButton(core::Page page, int slot, SlotColumn column, const QString& pageCaption,
               QWidget* parent = nullptr);

    // Shows `state`.  Only what differs from the state shown is touched.
    void apply(const selection::GridButton& state);
    [[nodiscard]] const selection::GridButton& state() const { return m_state; }

    [[nodiscard]] QString caption() const { return QString::fromStdString(m_state.caption); }
    [[nodiscard]] bool showsCaption() const { return m_state.showCaption; }

    [[nodiscard]] core::Page page() const { return m_page; }
    [[nodiscard]] int slot() const { return m_slot; }
    [[nodiscard]] SlotColumn column() const { return m_column; }

    // "Size", "Spine", "Models" or "Weight".
    static QString columnName(SlotColumn column);
    // "HSzBtn3" style object name.
    static QString objectNameFor(core::Page page, int slot, SlotColumn column);

private:
    void refreshAccessibleName();

    core::Page m_page;
    int m_slot;
    SlotColumn m_column;
    selection::GridButton m_state;
};

}  // namespace quivra::app
