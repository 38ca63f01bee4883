#pragma once
// The build sheet's commands that reach beyond the window: they are the
// opener's, since only it knows the set-up on screen, the customer and the
// shop's ticket counter.  Each receives the window and the sheet's build as
// it stands when the button is pressed.

#include "SavedBuild.h"

#include <functional>

class QWidget;

namespace quivra::buildsheet {

using SheetBuildFn = std::function<void(QWidget* sheetWindow, const customers::SavedBuild&)>;

struct SheetCommands {
    // "Save to Customer...": saves the opener's set-up with this build.
    SheetBuildFn saveToCustomer;
    // "Ticket...": opens the bench work ticket of this build.
    SheetBuildFn ticket;
};

}  // namespace quivra::buildsheet
