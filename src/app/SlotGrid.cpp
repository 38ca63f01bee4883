#include "SlotGrid.h"

#include <QGridLayout>
#include <QLabel>

namespace quivra::app {

SlotGrid::SlotGrid(core::Page page, const QString& pageCaption, int first, int last,
                   QWidget* parent)
    : QWidget(parent), m_first(first) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(2);
    layout->setVerticalSpacing(1);
    for (int c = 0; c < 4; ++c) {
        const QString name = SlotButton::columnName(static_cast<SlotColumn>(c));
        auto* header = new QLabel(name, this);
        header->setAccessibleName(name);
        header->setAlignment(Qt::AlignCenter);
        QFont bold = header->font();
        bold.setBold(true);
        header->setFont(bold);
        header->setFixedWidth(kColumnWidth[static_cast<std::size_t>(c)]);
        layout->addWidget(header, 0, c);
    }
    for (int slot = first; slot <= last; ++slot) {
        std::array<SlotButton*, 4> row{};
        for (int c = 0; c < 4; ++c) {
            auto* button =
                new SlotButton(page, slot, static_cast<SlotColumn>(c), pageCaption, this);
            button->setFixedSize(kColumnWidth[static_cast<std::size_t>(c)], kRowHeight);
            layout->addWidget(button, slot - first + 1, c);
            row[static_cast<std::size_t>(c)] = button;
        }
        m_rows.push_back(row);
    }
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

SlotButton* SlotGrid::button(int slot, SlotColumn column) const {
    return m_rows.at(static_cast<std::size_t>(slot - m_first))[static_cast<std::size_t>(column)];
}

void SlotGrid::apply(const std::vector<selection::RecommendationSlot>& grid) {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const std::size_t index = static_cast<std::size_t>(m_first - 1) + i;
        if (index >= grid.size()) break;
        const selection::RecommendationSlot& slot = grid[index];
        m_rows[i][0]->apply(slot.size);
        m_rows[i][1]->apply(slot.spine);
        m_rows[i][2]->apply(slot.models);
        m_rows[i][3]->apply(slot.weight);
    }
}

}  // namespace quivra::app
