#pragma once
// The bench work ticket of a customer's build, opened from the main
// window's commands (the retrieval window's "Ticket..." and "Re-order"):
// the shop block from SHOPINFO.DBF, the set-up's category, and the shop's
// ticket counter in the data folder for the number.

#include "CustomerHistory.h"

#include <filesystem>

class QWidget;

namespace quivra::app {

// Opens the ticket window of `build` modally over `parent`.  A shop record
// that cannot be read ends in the error box; nothing is opened then.
void openBenchTicket(QWidget* parent, const std::filesystem::path& dataDir,
                     const customers::CustomerBuild& build);

}  // namespace quivra::app
