#pragma once
// SearchEngine: the main window's state machine without the window.  It runs
// the search (FindRec), owns the chart tables and the shaft catalogue (opened
// by the first search that needs them, kept open), keeps the state the
// window's controls carry from one search to the next (grids, hints, colours,
// enabled and visible flags, hidden spine labels, page key, each slot's
// detail request) and runs the branch of the active page.
//
// An invalid selection is handled inside: the engine reads the message of
// invsel.txt, resets the weight input and, when that changes its text, runs
// the nested search at once, so search() returns the final screen.  The
// window then shows SearchOutcome::messages (in order), writes the changed
// input texts of SearchOutcome::inputs into its fields WITHOUT starting
// another search, applies the grids and controls, and shows
// SearchOutcome::error / dataErrors in error boxes.
//
// Numbers are read and written without any locale ("." always).  Integer
// texts are read strictly: optional blanks around an optional sign and
// decimal digits, within 32 bits ("6x", "6.0", "" and "0x10" are refused).
//
// Not thread-safe; one engine per main window.

#include "SearchOutcome.h"
#include "SelectionInputs.h"

#include "Status.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string>

namespace quivra::storage {
class TableStore;
}
namespace quivra::catalogue {
class ShaftCatalogue;
}

namespace quivra::selection {

class SearchRunner;
class TableCache;

class SearchEngine {
public:
    // dataDir holds HUNTCHRT.DBF, Targchrt.dbf, YouthChrt.dbf, KSTRCHRT.dbf,
    // the shaft catalogue (Specs.DBF, specs.idx) and invsel.txt.  Nothing is
    // opened yet.
    explicit SearchEngine(std::filesystem::path dataDir = ".");
    ~SearchEngine();
    SearchEngine(const SearchEngine&) = delete;
    SearchEngine& operator=(const SearchEngine&) = delete;

    // Runs one search on the given inputs (the state of the window's controls)
    // and returns the resulting screen.  The reference stays valid until the
    // next call of search() or the engine's destruction.
    const SearchOutcome& search(const SelectionInputs& inputs);

    // The state after the last search (the start state before the first).
    [[nodiscard]] const SearchOutcome& current() const { return *m_outcome; }

    // TSP1LBL .. TSP14LBL.
    [[nodiscard]] const std::array<std::string, kTargetSlots>& targetSpineLabels() const {
        return m_outcome->targetSpineLabels;
    }
    // TmpLbl2: the page whose branch ran last (nullopt before any).
    [[nodiscard]] std::optional<Page> searchedPage() const { return m_outcome->searchedPage; }
    [[nodiscard]] const std::filesystem::path& dataDir() const { return m_dataDir; }

private:
    friend class SearchRunner;

    std::filesystem::path m_dataDir;
    std::filesystem::path m_messageFile;  // invsel.txt in m_dataDir
    std::unique_ptr<SearchOutcome> m_outcome;
    // Chart tables by Page, and the shaft catalogue.
    std::array<std::unique_ptr<storage::TableStore>, 4> m_charts;
    std::unique_ptr<catalogue::ShaftCatalogue> m_catalogue;
    std::unique_ptr<TableCache> m_cache;  // chart rows read from the tables above
};

}  // namespace quivra::selection
