#include "SearchEngine.h"

#include "ChartFields.h"
#include "NumberText.h"
#include "SearchRunner.h"
#include "TableCache.h"
#include "TableStore.h"

namespace quivra::selection {

namespace {

constexpr const char* kSizeHint = "Click for Weight Calculation and Specs";
constexpr const char* kSpineHint = "Spine Value";
constexpr const char* kModelsHint = "Standard Catagories";
constexpr const char* kWeightHint = "Bare Shaft Weight in Grains";

// The grids as the window is designed: placeholder captions (blank here),
// size buttons enabled, spine, models and weight buttons disabled.
std::vector<RecommendationSlot> designGrid(Page page) {
    const bool kestra = page == Page::Kstr;
    RecommendationSlot slot;
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
      m_specsIndex(m_dataDir / chart::kSpecsIndexFile),
      m_messageFile(m_dataDir / chart::kMessageFile),
      m_outcome(std::make_unique<SearchOutcome>()),
      m_cache(std::make_unique<TableCache>()) {
    for (const Page page : {Page::Hunt, Page::Targ, Page::Youth, Page::Kstr}) {
        const auto i = static_cast<std::size_t>(page);
        m_charts[i] = std::make_unique<storage::TableStore>(m_dataDir / chartFile(page));
        m_outcome->grids[i] = designGrid(page);
    }
    m_specs = std::make_unique<storage::TableStore>(m_dataDir / chart::kSpecsFile);
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

    if (selection::pageKey(inputs.page).empty()) {
        // Not a page of the notebook: nothing to search, nothing changed.
        out.page = Page::Hunt;
        out.error = "There is no category page number " +
                    std::to_string(static_cast<int>(inputs.page)) + ".";
        return out;
    }
    SearchRunner runner(*this, 0);
    const storage::Status status = runner.findRec(inputs);
    if (!status) out.error = status.message();
    return out;
}

storage::Result<std::string> SearchEngine::specKeySuffix(Page page, int slot) const {
    const int count = kSlotCount[static_cast<std::size_t>(page)];
    if (slot < 1 || slot > count) {
        return storage::Status::invalidArgument("There is no slot " + std::to_string(slot) +
                                                " on the " + std::string(selection::pageKey(page)) +
                                                " page.");
    }
    if (page == Page::Targ) {
        return m_outcome->targetSpineLabels[static_cast<std::size_t>(slot - 1)];
    }
    const storage::TableStore& table = *m_charts[static_cast<std::size_t>(page)];
    if (!table.isOpen()) {
        return storage::Status::invalidArgument(table.path().filename().string() +
                                                " is not open: no search has run on its page.");
    }
    const std::string& field = page == Page::Hunt    ? chart::spineField(slot)
                               : page == Page::Youth ? chart::modlField(slot)
                                                     : chart::modelField(slot);
    storage::Result<std::string> text = table.fieldText(field);
    if (!text) return text.status();
    return std::string(trimBlanks(*text));
}

}  // namespace quivra::selection
