#pragma once
// TableCache: the chart rows the search has read, kept for the life of the
// engine.  The charts are reference data that the program never writes, and
// the engine keeps them open, so a row read once reads the same every time;
// keeping the texts spares the repeated field look-ups of a search (the
// counter runs one search per keystroke).  The shaft catalogue keeps its
// records the same way.

#include "SelectionInputs.h"
#include "Status.h"

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

namespace quivra::storage {
class TableStore;
}

namespace quivra::selection {

// The entries of one chart record as read (padded with blanks): element
// 2(n-1) is SHnSIZE, element 2(n-1)+1 the key field of entry n (SHnSPINE,
// SHnMODL or SHnMODEL, by page).
struct ChartRowTexts {
    std::vector<std::string> fields;

    [[nodiscard]] const std::string& size(int n) const {
        return fields[2 * static_cast<std::size_t>(n - 1)];
    }
    [[nodiscard]] const std::string& key(int n) const {
        return fields[2 * static_cast<std::size_t>(n - 1) + 1];
    }
};

class TableCache {
public:
    // The entries 1..count of the record on which `chart` stands, which must
    // be record `row` of the page's chart.
    storage::Result<const ChartRowTexts*> chartRow(storage::TableStore& chart, Page page, int row,
                                                   int count);

private:
    std::array<std::unordered_map<int, ChartRowTexts>, 4> m_rows;
};

}  // namespace quivra::selection
