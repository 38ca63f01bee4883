#pragma once
// The customer commands of the main window: save the current set-up for a
// customer, get a saved set-up back, export every saved set-up and edit the
// shop's own details.  Each command opens its window modally over `parent`
// and shows its own notices and errors; none throws.
//
// `dataDir` is the folder that holds Saveddb.dbf, Saved.idx, SHOPINFO.DBF and
// receives custdb.txt (the program's working folder).

#include "CustomerHistory.h"
#include "CustomerRecordView.h"
#include "RestoredSetup.h"
#include "SelectionInputs.h"

#include <QString>

#include <filesystem>
#include <functional>
#include <optional>

class QWidget;

namespace quivra::customers {

// "Save Setup" (HSaveBtnClick): opens the customer window over the inputs and
// the page key of the last search ("Hunt", "Targ", "Youth", "Kstr"; any other
// text is saved without a category).  The window appends at most one record,
// and with it `build`, the arrow chosen for the set-up, when there is one.
void saveSetup(QWidget* parent, const quivra::selection::SelectionInputs& inputs,
               std::optional<core::Page> searchedPage, const std::filesystem::path& dataDir,
               const std::optional<SavedBuild>& build = std::nullopt);

// Where the retrieval window sends the customer record report.
enum class CustomerOutput { Printer, PdfFile, Preview };

// Prints the customer record report for the texts the retrieval window shows,
// or saves it as a PDF file the user chooses.
using PrintCustomerFn =
    std::function<void(QWidget* parent, const CustomerRecordView&, CustomerOutput)>;

// Opens the bench work ticket of a customer's build (reports' ticket window).
using TicketFn = std::function<void(QWidget* parent, const CustomerBuild&)>;

// What the retrieval window can do beyond restoring a set-up.
struct RetrievalCommands {
    PrintCustomerFn print;  // Print, Save as PDF and Preview of the customer record
    TicketFn ticket;        // "Ticket...": empty disables the button
};

// What "Return Data" or "Re-order" hands back to the main window.
struct Retrieved {
    RestoredSetup setup;
    // Set by "Re-order": the saved build to open the build sheet with.
    std::optional<CustomerBuild> reorder;
};

// "Get Setup" with the history's commands: as getSetup(), and "Re-order"
// also returns the saved build.
std::optional<Retrieved> retrieveSetup(QWidget* parent, const std::filesystem::path& dataDir,
                                       RetrievalCommands commands);

// "Get Setup" (SpeedButton3Click): tells the user when no set-up is saved yet;
// otherwise opens the retrieval window.  Returns the set-up to restore when
// the user pressed "Return Data", nothing when the window was closed (or could
// not open).  `print` may be empty; Print and Save as PDF then do nothing.
std::optional<RestoredSetup> getSetup(QWidget* parent, const std::filesystem::path& dataDir,
                                      PrintCustomerFn print);

// "Export Customer Database": writes custdb.txt beside the table and says so
// only once the file is complete.  The export runs off the window's thread,
// with a progress dialog and Cancel when it takes a while; cancelled, it
// leaves an earlier custdb.txt as it was and says nothing.
//
// "Save Setup" and "Get Setup" first rebuild a name index that misses
// set-ups the same way; cancelling that ends the command.
void exportCustomerDatabase(QWidget* parent, const std::filesystem::path& dataDir);

// "Shop Information": edits the one record of SHOPINFO.DBF.
void editShopInformation(QWidget* parent, const std::filesystem::path& dataDir);

}  // namespace quivra::customers
