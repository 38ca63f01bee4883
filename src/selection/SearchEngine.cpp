#include "SearchEngine.h"

#include "ChartFields.h"
#include "NumberText.h"
#include "SearchRunner.h"
#include "ShaftCatalogue.h"
#include "TableCache.h"
#include "TableStore.h"

namespace quivra::selection {

namespace {

constexpr const char* kSizeHint = "Click for Weight Calculation and Specs";
constexpr const char* kSpineHint = "Spine Value";
constexpr const char* kModelsHint = "Standard Catagories";
constexpr const char* kWeightHint = "Bare Shaft Weight in Grains";

// The grids before any search: blank captions (no placeholders), and so no
// clickable size button; spine, models and weight buttons disabled.
std::vector<RecommendationSlot> designGrid(Page page) {
    const bool kestra = page == Page::Kstr;
    RecommendationSlot slot;
    slot.size.enabled = false;
    slot.size.hint = kestra ? "Kestra Arrow Size" : kSizeHint;
    slot.spine = {.caption = {}, .showCaption = true, .enabled = false, .hint = kSpineHint};
    slot.models = {.caption = {},
                   .showCaption = true,
                   .enabled = false,
                   .hint = kestra ? "Kestra Arrow Model" : kModelsHint};
    slot.weight = {.caption = {}, .showCaption = true, .enabled = false, .hint = kWeightHint};
    std::vector<RecommendationSlot> grid(
        static_cast<std::size_t>(kSlotCount[static_cast<std::size_t>(page)]), slot);
    if (page == Page::Hunt) grid[8].size.hint = "Click Details Button in Weight Column";
    return grid;
}

const char* chartFile(Page page) {
    switch (page) {
        case Page::Hunt:
            return chart::kHuntFile;
        case Page::Targ:
            return chart::kTargFile;
        case Page::Youth:
            return chart::kYouthFile;
        case Page::Kstr:
            return chart::kKstrFile;
    }
    return chart::kHuntFile;
}

}  // namespace

SearchEngine::SearchEngine(std::filesystem::path dataDir)
    : m_dataDir(std::move(dataDir)),
      m_messageFile(m_dataDir / chart::kMessageFile),
      m_outcome(std::make_unique<SearchOutcome>()),
      m_cache(std::make_unique<TableCache>()) {
    for (const Page page : {Page::Hunt, Page::Targ, Page::Youth, Page::Kstr}) {
        const auto i = static_cast<std::size_t>(page);
        m_charts[i] = std::make_unique<storage::TableStore>(m_dataDir / chartFile(page));
        m_outcome->grids[i] = designGrid(page);
    }
    m_catalogue = std::make_unique<catalogue::ShaftCatalogue>(m_dataDir);
}

SearchEngine::~SearchEngine() = default;

const SearchOutcome& SearchEngine::search(const SelectionInputs& inputs) {
    SearchOutcome& out = *m_outcome;
    out.page = inputs.page;
    out.searched = false;
    out.commonReset = false;
    out.gridFilled = false;
    out.runs.clear();
    out.messages.clear();
    out.inputs = inputs;
    out.error.reset();
    out.dataErrors.clear();

    if (core::pageKey(inputs.page).empty()) {
        // Not a page of the notebook: nothing to search, nothing changed.
        out.page = Page::Hunt;
        out.error = "There is no category page number " +
                    std::to_string(static_cast<int>(inputs.page)) + ".";
        return out;
    }
    SearchRunner runner(*this, 0);
    const storage::Status status = runner.findRec(inputs);
    if (!status) out.error = status.message();
    // A size button with no size has nothing to open: whatever reset or
    // page change came before, it is never clickable.
    for (std::vector<RecommendationSlot>& grid : out.grids) {
        for (RecommendationSlot& slot : grid) {
            if (slot.size.caption.empty()) slot.size.enabled = false;
        }
    }
    return out;
}

core::Result<DetailRequest> SearchOutcome::detailRequest(Page p, int slot) const {
    const auto index = static_cast<std::size_t>(p);
    if (index >= grids.size() || slot < 1 || slot > kSlotCount[index]) {
        return core::Status::invalidArgument("There is no slot " + std::to_string(slot) +
                                             " on the " + std::string(core::pageKey(p)) + " page.");
    }
    if (!chartRead[index]) {
        return core::Status::invalidArgument("No search has read the chart of the " +
                                             std::string(core::pageKey(p)) + " page yet.");
    }
    const RecommendationSlot& s = grids[index][static_cast<std::size_t>(slot - 1)];
    return DetailRequest{.page = p,
                         .key = s.size.caption + s.keySuffix,
                         .sizeCaption = s.size.caption,
                         .modelsCaption = s.models.caption};
}

}  // namespace quivra::selection
