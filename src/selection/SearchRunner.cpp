#include "SearchRunner.h"

#include "MessageFile.h"
#include "NumberText.h"
#include "PageBranches.h"
#include "ShaftCatalogue.h"
#include "TableStore.h"

namespace quivra::selection {

SearchRunner::SearchRunner(SearchEngine& engine, int depth) : m_engine(engine), m_depth(depth) {}

storage::Result<int> SearchRunner::toInt(const std::string& text) {
    if (const auto value = core::parseInteger(text)) return *value;
    return storage::Status::conversion(core::notAnIntegerMessage(text));
}

storage::TableStore& SearchRunner::chart(Page page) {
    return *m_engine.m_charts[static_cast<std::size_t>(page)];
}

catalogue::ShaftCatalogue& SearchRunner::catalogue() {
    return *m_engine.m_catalogue;
}

storage::Status SearchRunner::openTables(Page page) {
    if (storage::Status s = chart(page).open(); !s) return s;
    out().chartRead[static_cast<std::size_t>(page)] = true;
    return catalogue().open();
}

storage::Status SearchRunner::findRec(const SelectionInputs& inputs) {
    m_inputs = inputs;
    SearchOutcome& o = out();
    m_runIndex = o.runs.size();
    SearchRun& r = o.runs.emplace_back();
    r.page = inputs.page;
    r.weightText = inputs.page == Page::Youth ? inputs.youthBowWeight : inputs.bowWeight;

    // Completeness: the Hunting and Target branches (and the reset of the
    // grids) wait until the numbers are typed to the end; the Youth and
    // Kestra branches run in any case.
    const bool complete = core::characterCount(inputs.bowWeight) >= 2 &&
                          core::characterCount(inputs.arrowLength) == 2 &&
                          core::characterCount(inputs.pointWeight) >= 2;
    if (complete) {
        if (const auto w = toInt(inputs.bowWeight); !w) return w.status();
        resetGrids();
    }
    // The fields and groups always follow the active page and its bow type,
    // whether or not the numbers are complete: an unfinished number on one
    // page must not leave another page's fields (or greyed groups) on screen.
    resetControls();
    if (m_depth == 0) {
        o.searched = complete || inputs.page == Page::Youth || inputs.page == Page::Kstr;
    }
    switch (inputs.page) {
        case Page::Hunt:
            if (complete) return runHuntBranch(*this);
            applyPageControls(controls(), inputs);
            return storage::Status::ok();
        case Page::Targ:
            if (complete) return runTargetBranch(*this);
            applyPageControls(controls(), inputs);
            return storage::Status::ok();
        case Page::Youth:
            return runYouthBranch(*this);
        case Page::Kstr:
            return runKestraBranch(*this);
    }
    return storage::Status::ok();
}

void SearchRunner::resetControls() {
    SetupControls& c = controls();
    for (ControlState* s :
         {&c.label6, &c.wheelType, &c.releaseType, &c.overDraw, &c.braceHt, &c.pointWtSpin}) {
        s->font = TextColour::Black;
    }
    for (ControlState* s :
         {&c.wheelType, &c.releaseType, &c.huntCamType, &c.overDraw, &c.upDown4}) {
        s->enabled = true;
    }
    c.huntCamType.font = TextColour::Black;
}

void SearchRunner::resetGrids() {
    for (const Page page : {Page::Hunt, Page::Targ, Page::Youth, Page::Kstr}) {
        std::vector<RecommendationSlot>& g = grid(page);
        for (std::size_t i = 0; i < g.size(); ++i) {
            RecommendationSlot& slot = g[i];
            slot.size.enabled = true;
            slot.size.showCaption = true;
            slot.spine.showCaption = true;
            slot.models.showCaption = true;
            slot.weight.showCaption = true;
            // HSzBtn9 keeps its hint: a carbon entry in slot 9 writes one
            // that no search takes back.
            if (!(page == Page::Hunt && i == 8)) slot.size.hint = "Click for Weight Calculation";
            if (page == Page::Hunt && i >= 2 && i <= 7) {
                slot.weight.hint = "Bare Shaft Weight in Grains";
            }
        }
    }
    out().commonReset = true;
}

storage::Result<bool> SearchRunner::invalidSelection(const std::string& resetText) {
    storage::Result<std::string> message = readMessageLine(m_engine.m_messageFile);
    if (!message) return message.status();
    SearchOutcome& o = out();
    o.messages.push_back(std::move(message).value());
    run().resetTo = resetText;

    std::string& field =
        m_inputs.page == Page::Youth ? o.inputs.youthBowWeight : o.inputs.bowWeight;
    if (field == resetText || m_depth + 1 >= kMaxDepth) {
        field = resetText;
        return false;
    }
    field = resetText;
    SearchRunner nested(m_engine, m_depth + 1);
    if (storage::Status s = nested.findRec(o.inputs); !s) return s;
    return true;
}

}  // namespace quivra::selection
