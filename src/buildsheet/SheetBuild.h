#pragma once
// SheetBuild: the arrow on the build sheet as the customer tables keep it
// (customers::SavedBuild), and back.  "Save to Customer..." saves the one,
// "Re-order" opens the sheet on the other, so a build saved and opened again
// gives the same sheet: every bow, arrow and chart input is carried across.
//
// The shaft itself is not carried back: the sheet looks its key up in the
// catalogue again, as for a key typed into the shaft field.

#include "BuildSheet.h"
#include "BuildSheetInput.h"
#include "SavedBuild.h"

#include <string>

namespace quivra::buildsheet {

// What the sheet holds beyond its input and results.
struct SheetExtras {
    std::string shaftKey;  // as typed in the shaft field
    int quantity = 12;
    std::string notes;  // UTF-8; the window takes at most kBuildNotesWidth characters
};

// The build of a computed sheet.  `sheet` must be ok() and computed from
// `input`, whose arrow must be built from a catalogue shaft.
customers::SavedBuild savedBuildOf(const calculators::BuildSheetInput& input,
                                   const calculators::BuildSheet& sheet, const SheetExtras& extras);

// The sheet's input for a saved build, the shaft left empty; a chart page
// key the program does not know reads as the Hunting page.
calculators::BuildSheetInput sheetInputOf(const customers::SavedBuild& build);

}  // namespace quivra::buildsheet
