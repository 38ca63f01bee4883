#pragma once
// CategoryPage: one page of the category notebook ShaftsNB.  It carries the
// page's recommendation grid with its header row and legend, the command
// row ("Print", "Save Setup", "Get Setup", "Exit"), the model-guide buttons
// ("2012 Shaft Models" and the "2012" label button), the calculator button,
// the "Email Tech Support" link and the banner.  The Hunting page also owns
// the carbon panel, laid over the lower part of its grid.
//
// The page only shows and reports: the main window connects its buttons to
// the handlers and feeds it the grid after each search.

#include "PageDescriptor.h"
#include "SlotButton.h"

#include <QWidget>

#include <filesystem>
#include <vector>

class QLabel;
class QPushButton;

namespace quivra::info {
class Banner;
class HyperlinkLabel;
}  // namespace quivra::info

namespace quivra::app {

class CarbonPanel;
class SlotGrid;

class CategoryPage : public QWidget {
    Q_OBJECT
public:
    // The banner's pictures are read from `<dataDir>/pictures/`.
    CategoryPage(const PageDescriptor& descriptor, const std::filesystem::path& dataDir,
                 QWidget* parent = nullptr);

    [[nodiscard]] const PageDescriptor& descriptor() const { return m_descriptor; }
    [[nodiscard]] core::Page page() const { return m_descriptor.page; }

    // Shows the page's whole grid (slot n at element n - 1).
    void apply(const std::vector<selection::RecommendationSlot>& grid);
    // Any button of the page's grid, carbon slots included.
    [[nodiscard]] SlotButton* slotButton(int slot, SlotColumn column) const;
    // Every grid button, slot by slot.
    [[nodiscard]] std::vector<SlotButton*> slotButtons() const;

    [[nodiscard]] CarbonPanel* carbonPanel() const { return m_carbon; }  // Hunting only
    [[nodiscard]] QPushButton* printButton() const { return m_print; }
    [[nodiscard]] QPushButton* saveButton() const { return m_save; }
    [[nodiscard]] QPushButton* getButton() const { return m_get; }
    [[nodiscard]] QPushButton* exitButton() const { return m_exit; }
    [[nodiscard]] QPushButton* modelsButton() const { return m_models; }
    [[nodiscard]] QPushButton* yearButton() const { return m_year; }
    [[nodiscard]] QPushButton* calculatorButton() const { return m_calculator; }
    [[nodiscard]] info::HyperlinkLabel* emailLink() const { return m_email; }
    [[nodiscard]] info::Banner* banner() const { return m_banner; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildSideColumn(const std::filesystem::path& dataDir);
    QWidget* buildCommandRow();
    QPushButton* makeButton(const QString& name, const QString& caption, const QString& hint);
    void placeCarbonPanel();

    PageDescriptor m_descriptor;
    SlotGrid* m_grid;
    CarbonPanel* m_carbon = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_get = nullptr;
    QPushButton* m_exit = nullptr;
    QPushButton* m_models = nullptr;
    QPushButton* m_year = nullptr;
    QPushButton* m_calculator = nullptr;
    info::HyperlinkLabel* m_email = nullptr;
    info::Banner* m_banner = nullptr;
};

}  // namespace quivra::app
