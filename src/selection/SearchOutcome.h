#pragma once
// SearchOutcome: everything the main window shows after one search (FindRec),
// nested search included.  The engine keeps this state between searches (the
// window's grids, hints, hidden labels and set-up controls keep what earlier
// searches left in them), so every field here is the complete current state,
// not a difference: the window may apply all of it after every search.

#include "RecommendationSlot.h"
#include "SelectionInputs.h"
#include "Status.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quivra::selection {

// Slots per page, in notebook order (Hunt, Targ, Youth, Kstr).
inline constexpr std::array<int, 4> kSlotCount{16, 14, 8, 6};
inline constexpr int kTargetSlots = 14;

enum class TextColour { Black, Grey };  // Grey: a greyed text that stays legible

// One set-up or input control as the search leaves it.
struct ControlState {
    bool visible = true;
    bool enabled = true;
    TextColour font = TextColour::Black;

    bool operator==(const ControlState&) const = default;
};

// The controls of the selection inputs whose state the search sets.  Start
// values are the window's design-time state.  An up-down pair shares the state
// of its text field (UpDown1 with BowWeightSpin, UpDown2 with ArrowLengthSpin,
// UpDown3 with YouthBowWtSpin, UpDown5 with YouthArrowLenSpin), except UpDown4,
// which the Target recurve path disables while PointWtSpin stays enabled.
struct SetupControls {
    ControlState bowType;                              // BowType
    ControlState targBowType{.visible = false};        // TargBowType
    ControlState huntCamType;                          // HuntCamType
    ControlState wheelType{.visible = false};          // WheelType
    ControlState braceHt;                              // BraceHt
    ControlState releaseType;                          // ReleaseType
    ControlState overDraw;                             // OverDraw
    ControlState bowWeightSpin;                        // BowWeightSpin + UpDown1
    ControlState youthBowWtSpin{.visible = false};     // YouthBowWtSpin + UpDown3
    ControlState arrowLengthSpin;                      // ArrowLengthSpin + UpDown2
    ControlState youthArrowLenSpin{.visible = false};  // YouthArrowLenSpin + UpDown5
    ControlState pointWtSpin;                          // PointWtSpin (grey text on Target recurve)
    ControlState upDown4;                              // UpDown4
    ControlState label6;                               // Label6 "Point Weight" (font only)

    bool operator==(const SetupControls&) const = default;
};

// One pass of a page branch.  The first run is the user's search; a reset of
// the weight input after an invalid selection starts a nested run with the
// new text, listed after it.
struct SearchRun {
    Page page = Page::Hunt;
    std::string weightText;  // the weight text read (youth weight on the Youth page)
    // Corrected weight and row are 64-bit: a typed weight or length may be
    // any 32-bit number, and the corrections must not overflow it.
    std::optional<std::int64_t> correctedWeight;  // set once the corrections are computed
    std::optional<int> band;                      // weight band; empty when in no band
    std::optional<std::int64_t> row;              // ChartRow; empty without a band
    bool valid = false;                  // a band was found and the row is in the page's range
    std::optional<std::string> resetTo;  // the text written into the weight input, if any

    bool operator==(const SearchRun&) const = default;
};

struct SearchOutcome {
    Page page = Page::Hunt;  // active page of this search
    // TmpLbl2: the page whose branch ran last (nullopt until a branch has
    // run).  A search whose completeness test fails leaves it as it was.
    std::optional<Page> searchedPage;

    // False when the completeness test stopped a Hunting or Target search:
    // nothing was reset and no grid changed.
    bool searched = false;
    // The reset of all four pages ran (captions shown, size buttons enabled,
    // common hints restored); the window must apply every page's grid.
    bool commonReset = false;
    // The active page's grid was rewritten by its branch.
    bool gridFilled = false;

    std::vector<SearchRun> runs;        // outer run first, then nested runs
    std::vector<std::string> messages;  // invalid-selection texts, in the order shown
    SelectionInputs inputs;             // the inputs after the search (resets applied)

    // An error that ended the search (conversion of an input text, a missing
    // invsel.txt, a table that cannot be opened or read).  What was changed
    // before the error stays changed, as in the fields below.
    std::optional<std::string> error;
    // Faults in the delivered data that did not end the search: a key missing
    // from Specs.DBF, a grains-per-inch text that is not a number.  Each names
    // the table and the key; the slot shows its size with blank spine, models
    // and weight.
    std::vector<std::string> dataErrors;

    SetupControls controls;
    // Every page's grid as it must be shown now, indexed by Page; sizes are
    // kSlotCount.  Slot n is element n - 1.  Hints included: the carbon hints
    // a search writes on HSzBtn9, HWtBtn9 and HWtBtn10 stay in later searches
    // because no reset covers those three buttons.
    std::array<std::vector<RecommendationSlot>, 4> grids;
    // TSP1LBL .. TSP14LBL: chart spine text of each Target slot (an empty slot
    // keeps the text of an earlier search).
    std::array<std::string, kTargetSlots> targetSpineLabels;

    [[nodiscard]] const std::vector<RecommendationSlot>& grid(Page p) const {
        return grids[static_cast<std::size_t>(p)];
    }
    [[nodiscard]] const std::vector<RecommendationSlot>& activeGrid() const { return grid(page); }

    // Pages on which a search has read a chart row (their key suffixes are set).
    std::array<bool, 4> chartRead{};

    // The detail request of slot `slot` (1-based) of `page`.  Fails when the
    // slot does not exist or no search has read a chart row of the page.
    [[nodiscard]] core::Result<DetailRequest> detailRequest(Page page, int slot) const;
};

}  // namespace quivra::selection
