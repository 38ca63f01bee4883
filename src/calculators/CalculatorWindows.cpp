#include "CalculatorWindows.h"

#include "ModalPattern.h"
#include "TKECalc2.h"
#include "TTrajectory.h"

namespace quivra::calculators {

void openKECalculator(QWidget* parent, const std::filesystem::path& dataDir) {
    shell::runModal<TKECalc2>(parent, dataDir);
}

void openKECalculator(QWidget* parent) {
    openKECalculator(parent, std::filesystem::path("."));
}

void openTrajectory(QWidget* parent, const std::filesystem::path& dataDir) {
    shell::runModal<TTrajectory>(parent, dataDir);
}

}  // namespace quivra::calculators
