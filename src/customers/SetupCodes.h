#pragma once
// SetupCodes: the set-up part of a saved record, field by field, as the text
// each field holds (trimmed).  encodeSetup() turns the main window's inputs
// into these texts; restoreSetup() turns them back into what "Return Data"
// puts into the main window.
//
// Category codes (HORT): "0" hunting, "1" target, "2" Kestra, "3" youth.
// Records saved before the youth code existed have an empty HORT; they keep
// the page the main window is on when restored.  Selection codes are the
// 0-based item index of each choice group as decimal text.
//
// WHTYP holds the cam class the page searched with: on the Hunting and
// Kestra pages the hunting cam group (HuntCamType: 0 hard, 1 medium), on the
// other pages the three-item WheelType (0 hard, 1 medium, 2 soft).  Both
// groups number hard and medium alike.

#include "RestoredSetup.h"
#include "SelectionInputs.h"
#include "Status.h"

#include <optional>
#include <string>
#include <string_view>

namespace quivra::customers {

struct SetupCodes {
    std::string hort;         // HORT
    std::string bowWeight;    // BOWWT
    std::string arrowLength;  // ARLEN
    std::string pointWeight;  // PNTWT
    std::string bowType;      // BOTYP
    std::string wheelType;    // WHTYP
    std::string releaseType;  // RETYP
    std::string braceHt;      // BOLEN
    std::string overDraw;     // ODLEN

    bool operator==(const SetupCodes&) const = default;
};

// The category code of a page (hunting "0" ... youth "3"); empty for no page.
std::string categoryCode(std::optional<core::Page> page);

// The codes a save stores for the inputs and the page of the last search
// (nullopt before any search has run).
// On the target and Kestra pages BOTYP comes from TargBowType, elsewhere from
// BowType.  On the hunting and Kestra pages WHTYP comes from HuntCamType,
// elsewhere from WheelType.  On the youth page BOWWT and ARLEN hold the
// youth bow weight and youth arrow length, the inputs that page searches with.
SetupCodes encodeSetup(const selection::SelectionInputs& inputs,
                       std::optional<core::Page> searchedPage);

// A code field read as a whole number: nullopt for a blank text, the
// conversion message ("'x' is not a valid integer value") for anything else
// that is not a whole number.
storage::Result<std::optional<int>> parseCode(std::string_view text);

// What "Return Data" restores.  A blank code leaves its input unchanged; a
// code beyond a group's last item selects the last item (below 0: the first).
// A hunting or Kestra record also restores HuntCamType from WHTYP when the
// code is one of that group's items, and leaves it alone otherwise.
// Fails with the conversion message when a selection code is not a number;
// an unknown category code only leaves the page unchanged.
storage::Result<RestoredSetup> restoreSetup(const SetupCodes& codes);

}  // namespace quivra::customers
