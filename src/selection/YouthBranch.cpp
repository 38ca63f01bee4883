// The Youth branch: the youth weight and length inputs only, six bands,
// rows 1 to 10 of YouthChrt.dbf and eight slots keyed by size and model.
#include "ChartFields.h"
#include "NumberText.h"
#include "PageBranches.h"
#include "SearchRunner.h"
#include "SlotFiller.h"
#include "TableCache.h"
#include "TableStore.h"

namespace quivra::selection {

namespace {
constexpr int kSlots = 8;

storage::Status fillSlots(SearchRunner& r, int row, double length) {
    const storage::Result<const ChartRowTexts*> texts =
        r.cache().chartRow(r.chart(Page::Youth), Page::Youth, row, kSlots);
    if (!texts) return texts.status();
    const ChartRowTexts& entries = **texts;
    SlotFiller filler(r.catalogue(), modelsColumnOf(Page::Youth), length, r.out().dataErrors);
    std::vector<RecommendationSlot>& grid = r.grid(Page::Youth);
    for (int n = 1; n <= kSlots; ++n) {
        RecommendationSlot& slot = grid[static_cast<std::size_t>(n - 1)];
        slot.keySuffix.assign(core::trimBlanks(entries.key(n)));
        const std::string_view size = core::trimBlanks(entries.size(n));
        if (size.empty()) {
            SlotFiller::clear(slot);
            continue;
        }
        slot.size.caption.assign(size);
        if (storage::Status s = filler.fill(slot, ""); !s) return s;
    }
    return storage::Status::ok();
}
}  // namespace

storage::Status runYouthBranch(SearchRunner& r) {
    const SelectionInputs& in = r.inputs();
    SetupControls& c = r.controls();
    r.out().searchedPage = Page::Youth;
    applyPageControls(c, in);
    const storage::Result<int> y = SearchRunner::toInt(in.youthBowWeight);
    if (!y) return y.status();
    if (storage::Status s = r.openTables(Page::Youth); !s) return s;
    const storage::Result<int> length = SearchRunner::toInt(in.youthArrowLength);
    if (!length) return length.status();
    const storage::Result<ChartSetup> setup = readChartSetup(r, *y);
    if (!setup) return setup.status();

    SearchRun& run = r.run();
    placeOnChart(run, *setup, *length);
    const std::int64_t row = run.row.value_or(0);
    const bool valid = run.valid;

    if (valid) {
        if (storage::Status s = r.chart(Page::Youth).goTo(static_cast<std::uint32_t>(row)); !s) {
            return s;
        }
    } else {
        const storage::Result<bool> nested = r.invalidSelection("30");
        if (!nested) return nested.status();
        if (*nested) return storage::Status::ok();  // the nested search drew the grid
    }
    r.out().gridFilled = true;
    if (!valid) {
        for (RecommendationSlot& slot : r.grid(Page::Youth)) SlotFiller::clear(slot);
        return storage::Status::ok();
    }
    return fillSlots(r, static_cast<int>(row), static_cast<double>(*length));
}

}  // namespace quivra::selection
