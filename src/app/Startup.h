#pragma once
// The program's start-up, apart from the event loop: show the splash and
// paint it at once, build the main window, hide and destroy the splash, then
// show the main window.  The splash is therefore gone before the main window
// can take input, and it stays up exactly as long as the build takes.

#include <filesystem>
#include <memory>

namespace quivra::app {

class TArrowSel;

// Data files are read from `dataDir`, pictures from `<dataDir>/pictures/`.
// Returns the shown main window, or nullptr when it could not be built (the
// reason has then been shown in the error box).
std::unique_ptr<TArrowSel> startMainWindow(const std::filesystem::path& dataDir);

}  // namespace quivra::app
