#pragma once
// Shared helpers of the main-window tests: a private copy of the delivered
// tables in a temporary folder, a main window shown on it, and a reference
// engine that tells what the window should show for given inputs.

#include "CategoryPage.h"
#include "InputsPanel.h"
#include "SearchEngine.h"
#include "TArrowSel.h"

#include <QColor>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace quivra::selection {
// Readable failure messages for grid comparisons.
void PrintTo(const GridButton& b, std::ostream* os);
void PrintTo(const RecommendationSlot& s, std::ostream* os);
}  // namespace quivra::selection

namespace quivra::app::test {

// Copies the tables (the saved set-ups and the trajectory table with them),
// invsel.txt and pictures of the build's run folder into a
// fresh temporary folder.  Empty when the run folder has not been generated.
std::optional<std::filesystem::path> makeDataCopy(QTemporaryDir& dir);

// The captions of a page's whole grid as the window shows them.
std::vector<selection::RecommendationSlot> shownGrid(const TArrowSel& window, core::Page page);

// The grid as its buttons show it, without hints: hints keep what earlier
// searches wrote (the carbon hints stay), so only a window's own history
// tells them.  The key suffixes, which no button shows, are cleared too.
std::vector<selection::RecommendationSlot> withoutHints(
    std::vector<selection::RecommendationSlot> g);

// What a fresh engine shows on `page` for `inputs` (one search), without hints.
std::vector<selection::RecommendationSlot> expectedGrid(const std::filesystem::path& dataDir,
                                                        const selection::SelectionInputs& inputs);

// The first Hunting inputs (default set-up, bow weight 32..96, arrow length
// 23..33) whose valid search yields a grid that satisfies `pred`.
std::optional<selection::SelectionInputs> findHuntingInputs(
    const std::filesystem::path& dataDir,
    const std::function<bool(const std::vector<selection::RecommendationSlot>&)>& pred);

// The contrast ratio of two colours as WCAG 2 defines it (1 to 21); text
// must reach 4.5 against its background.
double contrastRatio(const QColor& a, const QColor& b);

// A shown main window over a private copy of the delivered data.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    [[nodiscard]] TArrowSel& window() { return *m_window; }
    [[nodiscard]] InputsPanel& inputs() { return *m_window->inputs(); }
    [[nodiscard]] const std::filesystem::path& dataDir() const { return m_dataDir; }
    [[nodiscard]] SlotButton* button(core::Page page, int slot, SlotColumn column) {
        return m_window->page(page)->slotButton(slot, column);
    }
    // Puts `in` on screen with one search, as a restored set-up does.
    void applyInputs(const selection::SelectionInputs& in) { m_window->restoreInputs(in); }

private:
    QTemporaryDir m_dir;
    std::filesystem::path m_dataDir;
    std::unique_ptr<TArrowSel> m_window;
};

}  // namespace quivra::app::test
