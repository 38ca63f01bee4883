#pragma once
// The bench work ticket of a customer's build, opened from the main
// window's commands (the retrieval window's "Ticket..." and the build
// sheet's): the shop block from SHOPINFO.DBF, the set-up's category, and
// the shop's ticket counter in the data folder for the number.  And the
// build sheet's commands that act on the main window's set-up.

#include "CustomerHistory.h"
#include "SheetCommands.h"
#include "ShopRecord.h"

#include <filesystem>
#include <optional>

class QWidget;

namespace quivra::app {

// The shop's details for a report or a ticket; a table that cannot be read
// ends the command with its message (shell::UserError).
customers::ShopRecord shopRecordOrThrow(const std::filesystem::path& dataDir);

// Opens the ticket window of `build` modally over `parent`.  A shop record
// that cannot be read ends in the error box; nothing is opened then.
void openBenchTicket(QWidget* parent, const std::filesystem::path& dataDir,
                     const customers::CustomerBuild& build);

class TArrowSel;

// The build sheet's "Save to Customer..." (Save Setup of `main`'s set-up
// with the sheet's build) and "Ticket..." (the ticket of the sheet's build,
// for `customer` when the sheet was opened on a customer's saved build; for
// the set-up on screen without a customer otherwise).  `main` must outlive
// the sheet.
buildsheet::SheetCommands buildSheetCommands(
    const TArrowSel& main, std::optional<customers::CustomerBuild> customer = std::nullopt);

}  // namespace quivra::app
