// The Target branch: compound corrections by cam class (WheelType), the
// target band tables, rows 2 to 19 of Targchrt.dbf, the compound/recurve
// split of chart entries and the six slot layouts.
#include "ChartFields.h"
#include "ChartPosition.h"
#include "NumberText.h"
#include "PageBranches.h"
#include "SearchRunner.h"
#include "SlotFiller.h"
#include "TableCache.h"
#include "TableStore.h"

#include <array>

namespace quivra::selection {

namespace {

struct Entry {
    std::string size;
    std::string spine;
};
using Entries = std::array<Entry, kTargetSlots>;

// Short arrows on rows 8 to 14 take the layout shifted by four entries.
bool isShortArrow(int row, int length) {
    switch (row) {
        case 8:
            return length == 23;
        case 9:
            return length <= 24;
        case 10:
        case 11:
            return length <= 25;
        case 12:
        case 13:
        case 14:
            return length <= 26;
        default:
            return false;
    }
}

// How a chart size entry is taken: whole, or one part of a "compound*recurve" pair.
enum class Split { Whole, Compound, RecurveOrWhole, Recurve };

std::string splitSize(const std::string& size, Split split) {
    const std::size_t star = size.find('*');
    switch (split) {
        case Split::Whole:
            return size;
        case Split::Compound:
            return core::cutAtFirst(size, '*');
        case Split::RecurveOrWhole:
            return star == std::string::npos ? size : size.substr(star + 1);
        case Split::Recurve:
            return star == std::string::npos ? std::string() : size.substr(star + 1);
    }
    return size;
}

// The slot list of a valid row: slot n takes entry `first + n - 1` for
// n = 1 .. count, except where the layout says otherwise.
Entries layoutSlots(const Entries& chart, bool recurve, int row, bool shortArrow) {
    Entries slots{};
    const auto take = [&](int slot, int entry, Split split) {
        const Entry& e = chart[static_cast<std::size_t>(entry - 1)];
        slots[static_cast<std::size_t>(slot - 1)] = {splitSize(e.size, split), e.spine};
    };
    if (shortArrow) {
        for (int n = 1; n <= 10; ++n) {
            const Split first = recurve ? Split::Recurve : Split::Compound;
            take(n, n + 4, n == 1 ? first : Split::Whole);
        }
    } else if (recurve) {
        for (int n = 1; n <= 14; ++n) take(n, n, n <= 4 ? Split::RecurveOrWhole : Split::Whole);
    } else if (row == 15) {
        take(1, 1, Split::Compound);
        for (int n = 2; n <= 12; ++n) take(n, n + 1, Split::Whole);
    } else if (row == 16) {
        for (int n = 1; n <= 11; ++n) take(n, n + 1, Split::Whole);
    } else {
        for (int n = 1; n <= 14; ++n) take(n, n, n <= 5 ? Split::Compound : Split::Whole);
    }
    return slots;
}

Entries trimmedEntries(const ChartRowTexts& row) {
    Entries entries;
    for (int n = 1; n <= kTargetSlots; ++n) {
        Entry& e = entries[static_cast<std::size_t>(n - 1)];
        e.size.assign(core::trimBlanks(row.size(n)));
        e.spine.assign(core::trimBlanks(row.key(n)));
    }
    return entries;
}

storage::Status fillSlots(SearchRunner& r, const Entries& slots, double length) {
    SlotFiller filler(r.catalogue(), modelsColumnOf(Page::Targ), length, r.out().dataErrors);
    std::vector<RecommendationSlot>& grid = r.grid(Page::Targ);
    for (int n = 1; n <= kTargetSlots; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        RecommendationSlot& slot = grid[i];
        const Entry& e = slots[i];
        if (e.size.empty()) {
            SlotFiller::clear(slot);  // the hidden spine label keeps its text
            continue;
        }
        slot.size.caption = e.size;
        slot.keySuffix = e.spine;  // TSPnLBL
        r.out().targetSpineLabels[i] = e.spine;
        if (storage::Status s = filler.fill(slot, n >= 7 ? "ZP,M4" : ""); !s) {
            return s;
        }
    }
    return storage::Status::ok();
}

}  // namespace

storage::Status runTargetBranch(SearchRunner& r) {
    const SelectionInputs& in = r.inputs();
    SetupControls& c = r.controls();
    r.out().searchedPage = Page::Targ;
    applyPageControls(c, in);
    if (storage::Status s = r.openTables(Page::Targ); !s) return s;
    const storage::Result<int> w = SearchRunner::toInt(in.bowWeight);
    if (!w) return w.status();

    const bool recurve = in.targBowType == 1;
    const storage::Result<ChartSetup> read = readChartSetup(r, *w);
    if (!read) return read.status();
    const storage::Result<int> length = SearchRunner::toInt(in.arrowLength);
    if (!length) return length.status();

    SearchRun& run = r.run();
    placeOnChart(run, *read, *length);
    const std::int64_t row = run.row.value_or(0);

    Entries slots{};
    if (run.valid) {
        const int validRow = static_cast<int>(row);  // 2 to 19
        storage::TableStore& table = r.chart(Page::Targ);
        if (storage::Status s = table.goTo(static_cast<std::uint32_t>(row)); !s) return s;
        const storage::Result<const ChartRowTexts*> texts =
            r.cache().chartRow(table, Page::Targ, validRow, kTargetSlots);
        if (!texts) return texts.status();
        slots = layoutSlots(trimmedEntries(**texts), recurve, validRow,
                            isShortArrow(validRow, *length));
    } else {
        const storage::Result<bool> nested = r.invalidSelection("60");
        if (!nested) return nested.status();
        if (*nested) return storage::Status::ok();  // the nested search drew the grid
    }
    r.out().gridFilled = true;
    return fillSlots(r, slots, static_cast<double>(*length));
}

}  // namespace quivra::selection
