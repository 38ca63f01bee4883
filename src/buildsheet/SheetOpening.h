#pragma once
// SheetOpening: the values the "Arrow Build Sheet" window starts with.
//
// Utilities > Arrow Build Sheet... brings the main window's inputs and the
// first slot of the active page that holds a catalogue shaft; the arrow
// weight builder's "Build Sheet..." brings the same inputs with the
// builder's shaft, length and part weights.  From these:
//
//   bow type       the page's bow type group: TargBowType (compound, recurve)
//                  on the Target and Kestra pages, BowType (compound,
//                  recurve, longbow) on the others
//   speed rating   none: the main window has none, so a compound asks for it
//   draw weight    the bow weight (the youth bow weight on the Youth page)
//   draw length    the arrow's length less 1 in
//   brace height   7 in for "Over 6.5\"", 6 in for "Under 6.5\""
//   string weight  0 gr
//   arrow          the builder's length and parts; otherwise the length and
//                  point weight the builder would start with (ArrowWeight.h)
//                  and the catalogue's insert, nock and fletching weights
//   spine check    the page's chart with its release, cam (WheelType on the
//                  Target page, HuntCamType elsewhere) and overdraw choices
//
// A text of the main window that is no number leaves the value at the
// sheet's own default and adds a note the window shows.
//
// A saved build ("Re-order" in the retrieval window) opens the sheet on
// that build instead: its bow, arrow, chart choices, quantity and notes
// (SheetBuild), its shaft looked up again by key and models.

#include "ArrowWeight.h"
#include "BuildSheetInput.h"
#include "RecommendationSlot.h"
#include "SavedBuild.h"
#include "SearchOutcome.h"
#include "SelectionInputs.h"

#include <optional>
#include <string>
#include <vector>

namespace quivra::catalogue {
class ShaftCatalogue;
}

namespace quivra::buildsheet {

struct SheetStart {
    // The main window's inputs; `inputs.page` is the chart of the spine check.
    selection::SelectionInputs inputs;
    // The shaft: its catalogue key and the models caption the grid showed.
    std::optional<selection::DetailRequest> slot;
    // The arrow weight builder's length and part weights.
    std::optional<details::ArrowBuild> parts;
    // A customer's saved build; when set, the sheet opens on it alone.
    std::optional<customers::SavedBuild> saved;
};

struct SheetOpening {
    calculators::BuildSheetInput input;  // arrow.shaft set when the key was found
    std::string shaftKey;                // for the shaft field ("" when none)
    std::string modelsCaption;           // as the grid showed it ("" when none)
    std::vector<std::string> notes;      // why a start value could not be taken
    int quantity = 12;                   // arrows in the order
    std::string buildNotes;              // the build's own notes for the bench
};

SheetOpening openSheet(const SheetStart& start, catalogue::ShaftCatalogue& catalogue);

// The detail request of the first slot of `page` that holds a catalogue
// shaft: a size shown on an enabled button (the Hunting page's carbon
// entries open no record).  Empty when the page shows none.
std::optional<selection::DetailRequest> firstShaftSlot(const selection::SearchOutcome& outcome,
                                                       core::Page page);

// The bow type of the main window's page: TargBowType on the Target and
// Kestra pages, BowType on the others; a group with nothing selected reads
// as a compound.
calculators::BowType bowTypeOf(const selection::SelectionInputs& inputs);

}  // namespace quivra::buildsheet
