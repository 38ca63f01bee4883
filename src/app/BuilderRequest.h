#pragma once
// The arrow weight builder's request for one slot of the main window's grid:
// the slot's catalogue key and captions as the last search left them, and
// the texts of the inputs the builder starts from.  Used by the size
// buttons and by the window list.

#include "Page.h"
#include "ShaftDetails.h"

namespace quivra::app {

class TArrowSel;

// Throws shell::UserError when the slot does not exist or no search has read
// the page's chart yet.
details::DetailRequest builderRequest(const TArrowSel& main, core::Page page, int slot);

}  // namespace quivra::app
