#pragma once
// The "Results" group of the build sheet: one value per result row of
// SheetTexts (weight, grains per pound, both speeds, energy, momentum, FOC,
// spine check), and the notes: the sheet's warnings, or what to correct.

#include "BuildSheet.h"

#include <QGroupBox>

#include <array>
#include <vector>

namespace quivra::shell {
class ValueLabel;
}

namespace quivra::buildsheet {

class ResultsPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit ResultsPanel(QWidget* parent = nullptr);

    // Shows a computed sheet (its results and warnings, or "-" and its
    // errors), with `notes` (start values not taken) after the warnings.
    void show(const calculators::BuildSheet& sheet, const calculators::BuildSheetInput& input,
              const std::vector<std::string>& notes);

private:
    std::array<shell::ValueLabel*, 9> m_values{};
    shell::ValueLabel* m_notes = nullptr;
};

}  // namespace quivra::buildsheet
