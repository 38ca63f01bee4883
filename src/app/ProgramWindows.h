#pragma once
// Every top-level window the program can open, each with a factory that
// makes it as its command does (same class, same data folder, the state of
// the main window it is opened from).  The checks that must hold for every
// window (legibility, keyboard and screen-reader access) walk this list, and
// so does the screenshot tool: a new window is covered by adding one line to
// programWindows() (ProgramWindows.cpp).

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace quivra::app {

class TArrowSel;

struct ProgramWindow {
    QString name;  // the window's object name ("SpecsFrm")
    // Makes the window, not shown, over `main` (whose data folder, inputs and
    // last search it reads).  The main window's own entry makes a new main
    // window on the same data folder.  Throws shell::UserError when the
    // window cannot be made (a missing table), as its command would report.
    std::function<std::unique_ptr<QWidget>(TArrowSel& main)> make;
};

[[nodiscard]] std::vector<ProgramWindow> programWindows();

}  // namespace quivra::app
