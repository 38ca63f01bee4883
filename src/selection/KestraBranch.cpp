// The Kestra branch: compound corrections (release, brace height, point
// weight over 100), thirteen bands per cam class, rows 9 to 19 of
// KSTRCHRT.dbf and six slots present by their model field.
#include "ChartFields.h"
#include "ChartPosition.h"
#include "NumberText.h"
#include "PageBranches.h"
#include "SearchRunner.h"
#include "SlotFiller.h"
#include "TableCache.h"
#include "TableStore.h"

namespace quivra::selection {

namespace {
constexpr int kSlots = 6;

storage::Status fillSlots(SearchRunner& r, int row, double length) {
    const storage::Result<const ChartRowTexts*> texts =
        r.cache().chartRow(r.chart(Page::Kstr), Page::Kstr, row, kSlots);
    if (!texts) return texts.status();
    const ChartRowTexts& entries = **texts;
    SlotFiller filler(r.catalogue(), modelsColumnOf(Page::Kstr), length, r.out().dataErrors);
    std::vector<RecommendationSlot>& grid = r.grid(Page::Kstr);
    for (int n = 1; n <= kSlots; ++n) {
        RecommendationSlot& slot = grid[static_cast<std::size_t>(n - 1)];
        slot.keySuffix.assign(core::trimBlanks(entries.key(n)));  // the model code
        if (slot.keySuffix.empty()) {
            SlotFiller::clear(slot);
            continue;
        }
        slot.size.caption.assign(core::trimBlanks(entries.size(n)));
        if (storage::Status s = filler.fill(slot, ""); !s) return s;
    }
    return storage::Status::ok();
}
}  // namespace

storage::Status runKestraBranch(SearchRunner& r) {
    const SelectionInputs& in = r.inputs();
    SetupControls& c = r.controls();
    r.out().searchedPage = Page::Kstr;
    applyPageControls(c, in);
    const storage::Result<int> w = SearchRunner::toInt(in.bowWeight);
    if (!w) return w.status();
    if (storage::Status s = r.openTables(Page::Kstr); !s) return s;

    // The overdraw group stays enabled for compound bows but does not enter
    // the weight on this page.
    const storage::Result<ChartSetup> read = readChartSetup(r, *w);
    if (!read) return read.status();
    const storage::Result<int> length = SearchRunner::toInt(in.arrowLength);
    if (!length) return length.status();

    SearchRun& run = r.run();
    placeOnChart(run, *read, *length);
    const std::int64_t row = run.row.value_or(0);
    const bool valid = run.valid;

    if (valid) {
        if (storage::Status s = r.chart(Page::Kstr).goTo(static_cast<std::uint32_t>(row)); !s) {
            return s;
        }
    } else {
        const storage::Result<bool> nested = r.invalidSelection("60");
        if (!nested) return nested.status();
        if (*nested) return storage::Status::ok();  // the nested search drew the grid
    }
    r.out().gridFilled = true;
    if (!valid) {
        for (RecommendationSlot& slot : r.grid(Page::Kstr)) SlotFiller::clear(slot);
        return storage::Status::ok();
    }
    return fillSlots(r, static_cast<int>(row), static_cast<double>(*length));
}

}  // namespace quivra::selection
