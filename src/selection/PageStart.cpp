// What every page branch does first: the controls it sets before any chart
// work (one table for what depends on the page alone, then what depends on
// the page's bow type), and the reading of its set-up for ChartPosition.
#include "PageBranches.h"
#include "SearchOutcome.h"
#include "SearchRunner.h"
#include "SelectionInputs.h"

#include <array>
#include <optional>

namespace quivra::selection {

namespace {

// What a page does to one property of a control: leave it, or set it.
using Set = std::optional<bool>;
constexpr Set kKeep = std::nullopt;
constexpr Set kOn = true;
constexpr Set kOff = false;

struct ControlRule {
    ControlState SetupControls::*control;
    // By page in notebook order (Hunt, Targ, Youth, Kstr).
    std::array<Set, 4> visible;
    std::array<Set, 4> enabled;
};

// clang-format off
constexpr std::array<ControlRule, 11> kPageStart{{
    //                                   visible: Hunt Targ  Youth Kstr    enabled: Hunt  Targ   Youth Kstr
    {&SetupControls::bowType,           {kOn,  kOff,  kKeep, kOff},  {kOn,   kKeep, kOff,  kKeep}},
    {&SetupControls::targBowType,       {kOff, kOn,   kKeep, kOn},   {kKeep, kOn,   kOff,  kOn}},
    {&SetupControls::huntCamType,       {kOn,  kOff,  kOn,   kOn},   {kKeep, kKeep, kOff,  kKeep}},
    {&SetupControls::wheelType,         {kOff, kOn,   kOff,  kOff},  {kKeep, kOn,   kOff,  kOff}},
    {&SetupControls::braceHt,           {kOn,  kKeep, kKeep, kKeep}, {kKeep, kKeep, kOff,  kOn}},
    {&SetupControls::releaseType,       {kKeep, kKeep, kKeep, kKeep}, {kKeep, kKeep, kOff, kKeep}},
    {&SetupControls::overDraw,          {kKeep, kKeep, kKeep, kKeep}, {kKeep, kKeep, kOff, kKeep}},
    {&SetupControls::bowWeightSpin,     {kOn,  kOn,   kOff,  kOn},   {kKeep, kKeep, kKeep, kKeep}},
    {&SetupControls::youthBowWtSpin,    {kOff, kOff,  kOn,   kOff},  {kKeep, kKeep, kKeep, kKeep}},
    {&SetupControls::arrowLengthSpin,   {kOn,  kOn,   kOff,  kOn},   {kKeep, kKeep, kKeep, kKeep}},
    {&SetupControls::youthArrowLenSpin, {kOff, kOff,  kOn,   kOff},  {kKeep, kKeep, kKeep, kKeep}},
}};
// clang-format on

}  // namespace

void applyPageStart(SetupControls& controls, Page page) {
    const auto p = static_cast<std::size_t>(page);
    for (const ControlRule& rule : kPageStart) {
        ControlState& state = controls.*rule.control;
        if (rule.visible[p]) state.visible = *rule.visible[p];
        if (rule.enabled[p]) state.enabled = *rule.enabled[p];
    }
    // PointWtSpin and UpDown4 are enabled everywhere but on the Youth page.
    controls.pointWtSpin.enabled = page != Page::Youth;
    controls.upDown4.enabled = page != Page::Youth;
}

void applyPageControls(SetupControls& c, const SelectionInputs& in) {
    applyPageStart(c, in.page);
    switch (in.page) {
        case Page::Hunt:
            if (in.bowType == 0) {
                c.braceHt.visible = true;
                c.huntCamType.visible = true;
                for (ControlState* s : {&c.huntCamType, &c.releaseType, &c.braceHt, &c.overDraw}) {
                    s->enabled = true;
                    s->font = TextColour::Black;
                }
            } else if (in.bowType == 1 || in.bowType == 2) {
                // Recurve and longbow: no cam, release aid, brace class or overdraw.
                for (ControlState* s : {&c.huntCamType, &c.releaseType, &c.braceHt, &c.overDraw}) {
                    s->enabled = false;
                }
            }
            break;
        case Page::Targ:
            if (in.targBowType == 1) {
                for (ControlState* s :
                     {&c.braceHt, &c.wheelType, &c.releaseType, &c.overDraw, &c.upDown4}) {
                    s->enabled = false;
                }
                // The point weight does not count for a target recurve; the
                // field stays enabled but greyed.
                c.pointWtSpin.font = TextColour::Grey;
            } else if (in.targBowType == 0) {
                c.braceHt.enabled = true;
            }
            break;
        case Page::Youth:
            break;
        case Page::Kstr:
            // The overdraw group is enabled for compound bows but does not
            // enter the weight on this page.
            c.overDraw.enabled = true;
            if (in.targBowType == 1) {
                for (ControlState* s : {&c.huntCamType, &c.releaseType, &c.overDraw, &c.braceHt}) {
                    s->enabled = false;
                }
            }
            break;
    }
}

storage::Result<ChartSetup> readChartSetup(SearchRunner& r, int weight) {
    ChartSetup setup = chartSetupOf(r.inputs(), weight, 0, 0);
    if (readsPointWeight(setup)) {
        const storage::Result<int> p = SearchRunner::toInt(r.inputs().pointWeight);
        if (!p) return p.status();
        setup.pointWeight = *p;
    }
    return setup;
}

void placeOnChart(SearchRun& run, const ChartSetup& setup, int arrowLength) {
    const auto cw = static_cast<std::int64_t>(correctedWeight(setup));
    const BandColumn* column = bandColumn(setup);
    run.correctedWeight = cw;
    run.band = column ? column->bandOf(cw) : std::nullopt;
    if (run.band) run.row = std::int64_t{*run.band} + arrowLength - rowLengthOffset(setup);
    const auto [first, last] = validRows(setup.page);
    run.valid = run.row && *run.row >= first && *run.row <= last;
}

}  // namespace quivra::selection
