// The Hunting branch: corrections for compound, recurve and longbow bows,
// the hunting band tables, rows 2 to 20 of HUNTCHRT.DBF and the 16 slots
// with their carbon entries.
#include "ChartFields.h"
#include "ChartPosition.h"
#include "NumberText.h"
#include "PageBranches.h"
#include "SearchRunner.h"
#include "SlotFiller.h"
#include "TableCache.h"
#include "TableStore.h"
#include "WeightBands.h"

namespace quivra::selection {

namespace {

constexpr int kSlots = 16;

void fillCarbon(RecommendationSlot& slot, const std::string& size) {
    slot.size.enabled = false;
    slot.size.hint = "Click Details Button for Carbon Specs";
    slot.models.caption = "Carbon";
    slot.spine.caption = "0." + size;
    slot.weight.caption = "Details";
    slot.weight.hint = "Click to See Carbon Sizes & Details";
    slot.weight.enabled = true;
}

storage::Status fillSlots(SearchRunner& r, int row, double length) {
    const storage::Result<const ChartRowTexts*> texts =
        r.cache().chartRow(r.chart(Page::Hunt), Page::Hunt, row, kSlots);
    if (!texts) return texts.status();
    const ChartRowTexts& entries = **texts;
    SlotFiller filler(r.catalogue(), modelsColumnOf(Page::Hunt), length, r.out().dataErrors);
    std::vector<RecommendationSlot>& grid = r.grid(Page::Hunt);
    for (int n = 1; n <= kSlots; ++n) {
        RecommendationSlot& slot = grid[static_cast<std::size_t>(n - 1)];
        slot.keySuffix.assign(core::trimBlanks(entries.key(n)));
        const std::string& sizeField = entries.size(n);
        const std::string_view trimmed = core::trimBlanks(sizeField);
        if (trimmed.empty()) {
            SlotFiller::clear(slot);
            continue;
        }
        // Slots 2 to 6 show a size field cut at its first blank (an entry
        // can carry a note after the size); the others show it trimmed.
        const std::string size =
            (n == 1 || n >= 7) ? std::string(trimmed) : core::cutAtFirst(sizeField, ' ');
        const bool mayBeCarbon = n >= 3 && n <= 10;
        if (mayBeCarbon) slot.weight.enabled = false;
        slot.size.caption = size;

        if (mayBeCarbon && slot.keySuffix == "caw") {
            fillCarbon(slot, size);
            continue;
        }
        if (storage::Status s = filler.fill(slot, n <= 4 ? "KV,M4" : ""); !s) return s;
    }
    return storage::Status::ok();
}

}  // namespace

storage::Status runHuntBranch(SearchRunner& r) {
    const SelectionInputs& in = r.inputs();
    SetupControls& c = r.controls();
    applyPageControls(c, in);
    const storage::Result<int> w = SearchRunner::toInt(in.bowWeight);
    if (!w) return w.status();
    r.out().searchedPage = Page::Hunt;

    const storage::Result<ChartSetup> read = readChartSetup(r, *w);
    if (!read) return read.status();
    const storage::Result<int> length = SearchRunner::toInt(in.arrowLength);
    if (!length) return length.status();

    SearchRun& run = r.run();
    placeOnChart(run, *read, *length);
    const std::int64_t cw = *run.correctedWeight;
    const BandColumn* column = bandColumn(*read);
    const std::int64_t row = run.row.value_or(0);
    const bool valid = run.valid;

    if (storage::Status s = r.openTables(Page::Hunt); !s) return s;
    if (valid) {
        if (storage::Status s = r.chart(Page::Hunt).goTo(static_cast<std::uint32_t>(row)); !s) {
            return s;
        }
    } else {
        // Pull the weight back into the chart: the column's lowest weight for
        // a light set-up, its highest for a heavy one.  A compound bow with
        // no cam class selected has no column; the hard-cam limits serve.
        const BandColumn& limits = column ? *column : bands::kHuntHardCam;
        const int reset = cw < 60 ? limits.lowest : limits.highest();
        const storage::Result<bool> nested = r.invalidSelection(std::to_string(reset));
        if (!nested) return nested.status();
        if (*nested) return storage::Status::ok();  // the nested search drew the grid
    }

    c.pointWtSpin.font = TextColour::Black;
    c.label6.font = TextColour::Black;
    c.braceHt.font = TextColour::Black;
    std::vector<RecommendationSlot>& grid = r.grid(Page::Hunt);
    for (std::size_t i = 2; i <= 9; ++i) grid[i].weight.enabled = false;
    r.out().gridFilled = true;

    if (!valid) {
        // No row matches the inputs on screen: show none rather than the
        // row of an earlier search.
        for (RecommendationSlot& slot : grid) SlotFiller::clear(slot);
        return storage::Status::ok();
    }
    return fillSlots(r, static_cast<int>(row), static_cast<double>(*length));
}

}  // namespace quivra::selection
