#include "SheetTexts.h"

#include "BallisticUnits.h"
#include "NumberText.h"

#include <cmath>

namespace quivra::buildsheet {

namespace {

namespace u = calculators::units;
using calculators::BuildSheet;

constexpr double kGramsPerKgPerGrainsPerPound = u::kGramsPerGrain / u::kKgPerPound;
constexpr const char* kNone = "-";

std::string fixed(double value, int decimals) {
    return core::fixedText(value, decimals);
}

// An entered number as short as it was typed: 28, 7.5, 0.25.
std::string entered(double value) {
    return core::decimalText(std::round(value * 100.0) / 100.0, 15);
}

std::string cm(double inches) {
    return fixed(inches * u::kMetresPerInch * 100.0, 1);
}

std::string grams(double grains) {
    return fixed(grains * u::kGramsPerGrain, 2);
}

std::string grainsWithGrams(double grains) {
    return entered(grains) + " gr (" + metricText(EnteredUnit::Grains, grains) + ")";
}

std::string inchesWithCm(double inches) {
    return entered(inches) + " in (" + metricText(EnteredUnit::Inches, inches) + ")";
}

std::string speed(double fps) {
    return fixed(fps, 1) + " fps (" + fixed(fps * u::kMetresPerFoot, 1) + " m/s)";
}

std::string_view bowTypeName(calculators::BowType type) {
    switch (type) {
        case calculators::BowType::Compound:
            return "Compound";
        case calculators::BowType::Recurve:
            return "Recurve";
        case calculators::BowType::Longbow:
            return "Longbow";
    }
    return "Compound";
}

std::string spineFigures(const calculators::SpineCheck& s) {
    const auto mm = [](double in) { return fixed(in * u::kMetresPerInch * 1000.0, 2); };
    const std::string sign = s.marginPercent > 0 ? "+" : "";
    return fixed(s.shaftIn, 3) + " / " + fixed(s.requiredIn, 3) + " in (" + mm(s.shaftIn) + " / " +
           mm(s.requiredIn) + " mm), margin " + sign + fixed(s.marginPercent, 1) + " %";
}

}  // namespace

std::string metricText(EnteredUnit unit, double value) {
    switch (unit) {
        case EnteredUnit::FeetPerSecond:
            return fixed(value * u::kMetresPerFoot, 1) + " m/s";
        case EnteredUnit::Pounds:
            return fixed(value * u::kKgPerPound, 1) + " kg";
        case EnteredUnit::Inches:
            return cm(value) + " cm";
        case EnteredUnit::Grains:
            return grams(value) + " g";
    }
    return {};
}

std::string_view chartName(core::Page page) {
    return core::pageCaption(page);
}

std::vector<SheetLine> bowLines(const calculators::Bow& bow) {
    std::string rating = "none";
    if (bow.ratingFps) {
        rating = entered(*bow.ratingFps) + " fps " +
                 (bow.standard == calculators::RatingStandard::Ibo ? "IBO" : "ATA") + " (" +
                 metricText(EnteredUnit::FeetPerSecond, *bow.ratingFps) + ")";
    }
    return {
        {"Bow type:", std::string(bowTypeName(bow.type))},
        {"Speed rating:", rating},
        {"Draw weight:", entered(bow.drawWeightLb) + " lb (" +
                             metricText(EnteredUnit::Pounds, bow.drawWeightLb) + ")"},
        {"Draw length:", inchesWithCm(bow.drawLengthIn)},
        {"Brace height:", inchesWithCm(bow.braceHeightIn)},
        {"String accessories:", grainsWithGrams(bow.stringAccessoriesGr)},
    };
}

std::string shaftText(const calculators::ShaftRecord& s) {
    return s.size + " " + s.models + ", spine " + fixed(s.spineIn, 3) + ", " +
           fixed(s.grainsPerInch, 2) + " gr/in (" +
           fixed(s.grainsPerInch * u::kGramsPerGrain / (u::kMetresPerInch * 100.0), 3) + " g/cm)";
}

std::vector<SheetLine> arrowLines(const calculators::ArrowInput& arrow) {
    if (arrow.weighedGr) return {{"Arrow weight:", grainsWithGrams(*arrow.weighedGr)}};
    return {
        {"Shaft:", arrow.shaft ? shaftText(*arrow.shaft) : kNone},
        {"Shaft length:", inchesWithCm(arrow.lengthIn)},
        {"Point:", grainsWithGrams(arrow.pointGr)},
        {"Insert:", grainsWithGrams(arrow.insertGr)},
        {"Nock:", grainsWithGrams(arrow.nockGr)},
        {"Fletching:", grainsWithGrams(arrow.fletchingGr)},
        {"Balance point:", arrow.balanceIn ? inchesWithCm(*arrow.balanceIn) : "estimated"},
    };
}

std::string_view resultCaption(ResultRow row) {
    switch (row) {
        case ResultRow::TotalWeight:
            return "Total arrow weight:";
        case ResultRow::GrainsPerPound:
            return "Grains per pound:";
        case ResultRow::RuleSpeed:
            return "Speed, rating rule:";
        case ResultRow::EnergySpeed:
            return "Speed, energy model:";
        case ResultRow::KineticEnergy:
            return "Kinetic energy:";
        case ResultRow::Momentum:
            return "Momentum:";
        case ResultRow::Foc:
            return "FOC:";
        case ResultRow::SpineCheck:
            return "Spine check:";
        case ResultRow::SpineFigures:
            return "Spine, shaft / required:";
    }
    return "";
}

std::string resultText(ResultRow row, const BuildSheet& sheet,
                       const calculators::BuildSheetInput& input) {
    if (!sheet.ok()) return kNone;
    switch (row) {
        case ResultRow::TotalWeight:
            return fixed(sheet.arrowWeightGr, 1) + " gr (" + grams(sheet.arrowWeightGr) + " g)";
        case ResultRow::GrainsPerPound:
            return fixed(sheet.grainsPerPound, 2) + " gr/lb (" +
                   fixed(sheet.grainsPerPound * kGramsPerKgPerGrainsPerPound, 2) + " g/kg)";
        case ResultRow::RuleSpeed:
            return sheet.ruleFps ? speed(*sheet.ruleFps) : "none (for rated compound bows)";
        case ResultRow::EnergySpeed:
            return speed(sheet.energyFps);
        case ResultRow::KineticEnergy:
            return fixed(sheet.kineticEnergyFtLb, 1) + " ft-lb (" +
                   fixed(sheet.metric.kineticEnergyJ, 1) + " J), " + std::string(sheet.energyClass);
        case ResultRow::Momentum:
            return fixed(sheet.momentumSlugFtS, 3) + " slug-ft/s (" +
                   fixed(sheet.metric.momentumKgMs, 3) + " kg\u00B7m/s), " +
                   std::string(sheet.momentumClass);
        case ResultRow::Foc:
            if (!sheet.focPercent || !sheet.balanceIn) return kNone;
            return fixed(*sheet.focPercent, 1) + " % (balance " + fixed(*sheet.balanceIn, 2) +
                   " in / " + cm(*sheet.balanceIn) + " cm" +
                   (sheet.balanceEstimated ? ", estimated)" : ")");
        case ResultRow::SpineCheck:
            if (!sheet.spine) return kNone;
            return sheet.spine->verdict + " (" + std::string(chartName(input.chart.page)) +
                   " chart, row " + fixed(sheet.spine->row, 1) + ")";
        case ResultRow::SpineFigures:
            return sheet.spine ? spineFigures(*sheet.spine) : kNone;
    }
    return kNone;
}

const DownrangeCells& downrangeHeads() {
    static const DownrangeCells heads{"Distance yd (m)",  "Speed fps (m/s)",
                                      "Energy ft-lb (J)", "Momentum slug-ft/s (kg\u00B7m/s)",
                                      "Drop in (cm)",     "Time s"};
    return heads;
}

std::vector<DownrangeCells> downrangeRows(const calculators::DownrangeTable& table, double grains) {
    const double kg = grains * u::kKgPerGrain;
    std::vector<DownrangeCells> rows;
    rows.reserve(table.points.size());
    const auto pair = [](double imperial, int decimals, double metric, int metricDecimals) {
        return fixed(imperial, decimals) + " (" + fixed(metric, metricDecimals) + ")";
    };
    for (const calculators::DownrangePoint& p : table.points) {
        const double mps = p.fps * u::kMetresPerFoot;
        rows.push_back(
            {pair(p.yards, 0, p.yards * u::kMetresPerYard, 1), pair(p.fps, 1, mps, 1),
             pair(p.keFtLb, 1, 0.5 * kg * mps * mps, 1), pair(p.momentumSlugFtS, 3, kg * mps, 3),
             pair(p.dropIn, 1, p.dropIn * u::kMetresPerInch * 100.0, 1), fixed(p.timeS, 3)});
    }
    return rows;
}

std::vector<std::string> pinGapLines(const calculators::DownrangeTable& table) {
    std::vector<std::string> lines;
    for (const calculators::PinGap& g : table.pinGaps) {
        lines.push_back(std::to_string(g.fromYd) + " to " + std::to_string(g.toYd) +
                        " yd: " + fixed(g.gapIn, 2) + " in (" +
                        fixed(g.gapIn * u::kMetresPerInch * 1000.0, 1) + " mm)");
    }
    return lines;
}

std::vector<std::string> sheetMessages(const BuildSheet& sheet) {
    if (!sheet.ok()) {
        std::vector<std::string> errors;
        for (const calculators::InputError& e : sheet.errors) errors.push_back(e.message);
        return errors;
    }
    return sheet.warnings;
}

}  // namespace quivra::buildsheet
