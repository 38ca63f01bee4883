#pragma once
// Entry point of the "Arrow Build Sheet" window: a new window each time,
// run modally over `parent` and destroyed when it closes; errors are shown
// in the general error box and nothing is thrown.  Tables are read from
// `dataDir` (the shaft catalogue, and the shop's details for printing).

#include "SheetCommands.h"
#include "SheetOpening.h"

#include <filesystem>

class QWidget;

namespace quivra::buildsheet {

// `commands` are the opener's "Save to Customer..." and "Ticket..."; an
// empty one disables its button.
void openBuildSheet(QWidget* parent, const SheetStart& start, const std::filesystem::path& dataDir,
                    SheetCommands commands = {});

}  // namespace quivra::buildsheet
