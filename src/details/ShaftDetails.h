#pragma once
// Entry point of the arrow weight builder: the main window gathers a detail
// request from the clicked grid row and opens the builder with it.

#include "Page.h"
#include "SelectionInputs.h"
#include "SheetCommands.h"

#include <QString>

#include <filesystem>

class QWidget;

namespace quivra::details {

// What the main window hands over when a size button is clicked.  Every text
// is taken exactly as the main window shows it; the builder converts them.
struct DetailRequest {
    QString specKey;        // size caption immediately followed by the row's key suffix
    QString sizeCaption;    // size caption of the clicked button
    QString modelsCaption;  // models caption of the same grid row, e.g. "KV,M4"
    core::Page page{};      // the page of the clicked grid
    // The main window's inputs as they stand: the builder starts from the
    // arrow length, youth arrow length and point weight texts, and its
    // build sheet takes the bow and the set-up from them.
    selection::SelectionInputs inputs;
    std::filesystem::path dataDir;  // folder holding the shaft catalogue and pictures/
    // The main window's "Save to Customer..." and "Ticket..." for the build
    // sheet the builder opens; empty ones disable those buttons.
    buildsheet::SheetCommands sheetCommands;
};

// Opens the arrow weight builder modally over `parent`: a new window each
// time, destroyed when it closes.  Errors are shown in the general error box;
// nothing is thrown.
void openShaftDetails(QWidget* parent, const DetailRequest& request);

}  // namespace quivra::details
