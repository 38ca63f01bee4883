#pragma once
// SheetTexts: every text the build sheet shows, in the window and on the
// printed page alike, each figure with its metric value beside it.  Numbers
// are written by core::fixedText, so no locale changes a digit or the ".".
//
// Decimals: speeds, energies, drops 1; momentum, spine, time 3; weights in
// grains 1; the inputs as short as they were typed (up to 2 decimals).

#include "BuildSheet.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::buildsheet {

// A caption and its value: "Draw weight:", "70 lb (31.8 kg)".
struct SheetLine {
    std::string caption;
    std::string value;

    bool operator==(const SheetLine&) const = default;
};

// The metric value of an entered figure: "103.6 m/s", "31.8 kg", "71.1 cm",
// "6.48 g".
enum class EnteredUnit { FeetPerSecond, Pounds, Inches, Grains };
std::string metricText(EnteredUnit unit, double value);

// A catalogue shaft in one line: "340 CH, spine 0.340, 9.26 gr/in (0.365 g/cm)".
std::string shaftText(const calculators::ShaftRecord& shaft);

// The bow and the arrow as entered.
std::vector<SheetLine> bowLines(const calculators::Bow& bow);
std::vector<SheetLine> arrowLines(const calculators::ArrowInput& arrow);

// The results, in the order they are shown.
enum class ResultRow {
    TotalWeight,
    GrainsPerPound,
    RuleSpeed,
    EnergySpeed,
    KineticEnergy,
    Momentum,
    Foc,
    SpineCheck,
    SpineFigures,
};
inline constexpr std::array<ResultRow, 9> kResultRows{
    ResultRow::TotalWeight, ResultRow::GrainsPerPound, ResultRow::RuleSpeed,
    ResultRow::EnergySpeed, ResultRow::KineticEnergy,  ResultRow::Momentum,
    ResultRow::Foc,         ResultRow::SpineCheck,     ResultRow::SpineFigures};

std::string_view resultCaption(ResultRow row);
// The row's value for a computed sheet; "-" when the sheet has input errors.
std::string resultText(ResultRow row, const calculators::BuildSheet& sheet,
                       const calculators::BuildSheetInput& input);

// The downrange table of an arrow of `grains`: a column head per column and
// one row of cells per 10 yards ("20 (18.3)", "289.0 (88.1)", ...).  Metric
// energy and momentum come from the mass and speed, as the results' do.
inline constexpr std::size_t kDownrangeColumns = 6;
using DownrangeCells = std::array<std::string, kDownrangeColumns>;
const DownrangeCells& downrangeHeads();
std::vector<DownrangeCells> downrangeRows(const calculators::DownrangeTable& table, double grains);

// "20 to 30 yd: 0.13 in (3.4 mm)" for each pin gap.
std::vector<std::string> pinGapLines(const calculators::DownrangeTable& table);

// The sheet's warnings, or its input errors when it has any.
std::vector<std::string> sheetMessages(const calculators::BuildSheet& sheet);

// The chart's name as the pages show it: "Hunting", "Target", "Youth", "Kestra".
std::string_view chartName(core::Page page);

}  // namespace quivra::buildsheet
