#pragma once
// Entry points of the ballistics windows.  Each call makes a new window, runs
// it modally over `parent` and destroys it when it closes; errors are shown in
// the general error box and nothing is thrown.

#include <filesystem>

class QWidget;

namespace quivra::calculators {

// "2012 Kinetic Energy and Front of Center Calculators".  Its pictures are
// read from `<dataDir>/pictures/`.
void openKECalculator(QWidget* parent, const std::filesystem::path& dataDir);
// Same, with the pictures looked up in the current working directory.
void openKECalculator(QWidget* parent);

// "Quivra Plus", the trajectory table read from `<dataDir>/Newtraj.dbf`.
void openTrajectory(QWidget* parent, const std::filesystem::path& dataDir);

}  // namespace quivra::calculators
