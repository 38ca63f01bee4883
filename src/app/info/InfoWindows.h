#pragma once
// Entry points of the information windows: model guide, about box and the
// tuning guide.  Dialogs follow the modal pattern (new instance, run modally,
// destroyed on close).  Errors are shown to the user; nothing is thrown.

#include "Page.h"

#include <QString>

#include <filesystem>
#include <optional>

class QWidget;

namespace quivra::info {

class TuningHelpWindow;

// The shaft model guide for the page of the last search ("Hunt", "Targ",
// "Youth" or "Kstr"; anything else shows no picture and no link).  Pictures
// come from `<dataDir>/pictures/`.
void openModelGuide(QWidget* parent, std::optional<core::Page> page,
                    const std::filesystem::path& dataDir);

// "About 2012": the maker's picture, name, address and web link.
void openAbout(QWidget* parent, const std::filesystem::path& dataDir);

// Shows the tuning information help window at its first topic.  The window
// is not modal; a second call raises the open one.  It is owned by `parent`
// and deletes itself when closed.  Returns the window (for tests).
TuningHelpWindow* showTuningInformation(QWidget* parent, const std::filesystem::path& dataDir);

// Asks the desktop to open `<dataDir>/tuning_guide.pdf`.  A missing file or a
// desktop that cannot open it is reported in an information box.  Returns
// true when the desktop accepted the request.
bool openTuningGuidePdf(QWidget* parent, const std::filesystem::path& dataDir);

}  // namespace quivra::info
