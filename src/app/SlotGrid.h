#pragma once
// SlotGrid: the header row "Size", "Spine", "Models", "Weight" over the
// recommendation rows of slots [first, last] of one page.  The Hunting page
// uses two: slots 1 to 10 on the page and 11 to 16 on the carbon panel.

#include "SlotButton.h"

#include <QWidget>

#include <array>
#include <vector>

namespace quivra::app {

class SlotGrid : public QWidget {
    Q_OBJECT
public:
    SlotGrid(core::Page page, const QString& pageCaption, int first, int last,
             QWidget* parent = nullptr);

    [[nodiscard]] int firstSlot() const { return m_first; }
    [[nodiscard]] int lastSlot() const { return m_first + static_cast<int>(m_rows.size()) - 1; }
    // Precondition: firstSlot() <= slot <= lastSlot().
    [[nodiscard]] SlotButton* button(int slot, SlotColumn column) const;

    // Shows slots [first, last] of `grid` (slot n at element n - 1).
    void apply(const std::vector<selection::RecommendationSlot>& grid);

    // Cell widths, shared by every grid so the pages line up.
    static constexpr std::array<int, 4> kColumnWidth{92, 78, 150, 92};
    static constexpr int kRowHeight = 23;

private:
    int m_first;
    std::vector<std::array<SlotButton*, 4>> m_rows;
};

}  // namespace quivra::app
