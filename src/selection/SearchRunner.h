#pragma once
// SearchRunner: one run of the search handler (FindRec) inside a
// SearchEngine.  The engine creates one for the user's search; an invalid
// selection that resets the weight input creates another, one level deeper,
// for the nested search.  Page branches work through this class.

#include "SearchEngine.h"
#include "SearchOutcome.h"
#include "SelectionInputs.h"
#include "Status.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quivra::storage {
class TableStore;
}
namespace quivra::catalogue {
class ShaftCatalogue;
}

namespace quivra::selection {

class TableCache;

class SearchRunner {
public:
    // Deepest nesting of searches started by weight resets.  The resets of
    // every page settle within two levels; the limit only guards against a
    // loop on tables that contradict the band tables.
    static constexpr int kMaxDepth = 4;

    SearchRunner(SearchEngine& engine, int depth);

    // FindRec: completeness test, common reset and the branch of the active
    // page.  Returns the status that ended the run early, if any.
    storage::Status findRec(const SelectionInputs& inputs);

    // --- for the page branches ---------------------------------------------
    [[nodiscard]] const SelectionInputs& inputs() const { return m_inputs; }
    SearchOutcome& out() { return *m_engine.m_outcome; }
    SearchRun& run() { return out().runs[m_runIndex]; }
    SetupControls& controls() { return out().controls; }
    std::vector<RecommendationSlot>& grid(Page page) {
        return out().grids[static_cast<std::size_t>(page)];
    }
    // Opens the page's chart and the shaft catalogue.  Opening an open table
    // does nothing and keeps its record.
    storage::Status openTables(Page page);
    storage::TableStore& chart(Page page);
    catalogue::ShaftCatalogue& catalogue();
    TableCache& cache() { return *m_engine.m_cache; }

    // The integer value of an input text, or the conversion error that ends
    // the search.
    static storage::Result<int> toInt(const std::string& text);

    // The invalid-selection path: shows the message of invsel.txt, writes
    // `resetText` into the page's weight input and, when that changes the
    // text, runs the nested search to its end.  Gives true when the nested
    // search ran (its grid is then the final grid of the page).
    storage::Result<bool> invalidSelection(const std::string& resetText);

private:
    // The common reset, in two parts: the set-up controls' fonts and enabled
    // flags (every search), and the grids of all pages (captions shown, size
    // buttons enabled, common hints; only when the numbers are complete).
    void resetControls();
    void resetGrids();

    SearchEngine& m_engine;
    int m_depth;
    std::size_t m_runIndex = 0;
    SelectionInputs m_inputs;
};

}  // namespace quivra::selection
