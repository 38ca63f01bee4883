#pragma once
// TableCache: what the search has read from the chart and specification
// tables, kept for the life of the engine.  These tables are reference data
// that the program never writes, and the engine keeps them open, so a row or
// a key read once reads the same every time; keeping the texts spares the
// repeated field look-ups and index seeks of a search (the counter runs one
// search per keystroke).

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
        return fields[static_cast<std::size_t>(2 * (n - 1))];
    }
    [[nodiscard]] const std::string& key(int n) const {
        return fields[static_cast<std::size_t>(2 * (n - 1) + 1)];
    }
};

// The fields of a specification record the search shows.
struct SpecTexts {
    bool found = false;   // the key is in the table
    std::string spine;    // SPINE as read
    std::string hmodels;  // HMODELS as read
    std::string tmodels;  // TMODELS as read
    std::string gpi;      // GPI as read
};

class TableCache {
public:
    // The entries 1..count of the record on which `chart` stands, which must
    // be record `row` of the page's chart.
    storage::Result<const ChartRowTexts*> chartRow(storage::TableStore& chart, Page page, int row,
                                                   int count);
    // The record that a seek of `key` finds in `specs` (open on specs.idx).
    storage::Result<const SpecTexts*> spec(storage::TableStore& specs, const std::string& key);

private:
    std::array<std::unordered_map<int, ChartRowTexts>, 4> m_rows;
    std::unordered_map<std::string, SpecTexts> m_specs;
};

}  // namespace quivra::selection
