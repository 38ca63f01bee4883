#pragma once
// The arrow weight builder's request for one slot of the main window's grid:
// the slot's catalogue key and captions as the last search left them, and
// the texts of the inputs the builder starts from; and where the arrow build
// sheet starts from the main window.  Used by the commands and by the window
// list.

#include "Page.h"
#include "ShaftDetails.h"
#include "SheetOpening.h"

namespace quivra::app {

class TArrowSel;

// Throws shell::UserError when the slot does not exist or no search has read
// the page's chart yet.
details::DetailRequest builderRequest(const TArrowSel& main, core::Page page, int slot);

// The main window's inputs as they stand and the first slot of the active
// page that shows a catalogue shaft (none before a search filled the page).
buildsheet::SheetStart buildSheetStart(const TArrowSel& main);

}  // namespace quivra::app
