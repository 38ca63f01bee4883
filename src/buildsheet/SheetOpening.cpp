#include "SheetOpening.h"

#include "NumberText.h"
#include "ShaftLookup.h"
#include "SheetBuild.h"

namespace quivra::buildsheet {

namespace {

using calculators::BowType;
using core::Page;

constexpr double kBraceOverIn = 7.0;   // "Over 6.5\""
constexpr double kBraceUnderIn = 6.0;  // "Under 6.5\""
constexpr double kDrawUnderArrowIn = 1.0;

// `text` as a number, or `fallback` with a note naming `what`.
double numberOr(const std::string& text, double fallback, const std::string& what,
                std::string_view unit, std::vector<std::string>& notes) {
    if (const auto value = core::parseDecimal(text)) return *value;
    notes.push_back("The " + what + " '" + text + "' is not a number; the sheet starts with " +
                    core::decimalText(fallback) + " " + std::string(unit) + ".");
    return fallback;
}

}  // namespace

BowType bowTypeOf(const selection::SelectionInputs& in) {
    const bool targetGroup = in.page == Page::Targ || in.page == Page::Kstr;
    switch (targetGroup ? in.targBowType : in.bowType) {
        case 1:
            return BowType::Recurve;
        case 2:
            return targetGroup ? BowType::Compound : BowType::Longbow;
        default:
            return BowType::Compound;
    }
}

std::optional<selection::DetailRequest> firstShaftSlot(const selection::SearchOutcome& outcome,
                                                       Page page) {
    const std::vector<selection::RecommendationSlot>& grid = outcome.grid(page);
    for (std::size_t i = 0; i < grid.size(); ++i) {
        const selection::GridButton& size = grid[i].size;
        if (size.caption.empty() || !size.showCaption || !size.enabled) continue;
        core::Result<selection::DetailRequest> request =
            outcome.detailRequest(page, static_cast<int>(i) + 1);
        if (request) return std::move(request).value();
    }
    return std::nullopt;
}

namespace {

SheetOpening openSaved(const customers::SavedBuild& saved, catalogue::ShaftCatalogue& catalogue) {
    SheetOpening out;
    out.input = sheetInputOf(saved);
    out.shaftKey = saved.shaftKey;
    out.modelsCaption = saved.models;
    out.quantity = saved.quantity;
    out.buildNotes = saved.notes;
    core::Result<CatalogueShaft> found =
        lookUpShaft(catalogue, out.shaftKey, out.input.chart.page, out.modelsCaption);
    if (found) out.input.arrow.shaft = std::move(found).value().shaft;
    return out;
}

}  // namespace

SheetOpening openSheet(const SheetStart& start, catalogue::ShaftCatalogue& catalogue) {
    if (start.saved) return openSaved(*start.saved, catalogue);
    const selection::SelectionInputs& in = start.inputs;
    SheetOpening out;
    calculators::BuildSheetInput& sheet = out.input;
    const bool youth = in.page == Page::Youth;

    calculators::Bow& bow = sheet.bow;
    bow.type = bowTypeOf(in);
    bow.ratingFps.reset();
    bow.drawWeightLb = numberOr(youth ? in.youthBowWeight : in.bowWeight, bow.drawWeightLb,
                                youth ? "youth bow weight" : "bow weight", "lb", out.notes);
    bow.braceHeightIn = in.braceHt == 1 ? kBraceUnderIn : kBraceOverIn;
    bow.stringAccessoriesGr = 0.0;

    sheet.chart.page = in.page;
    sheet.chart.releaseType = in.releaseType;
    sheet.chart.camType = in.page == Page::Targ ? in.wheelType : in.huntCamType;
    sheet.chart.overDraw = in.overDraw;

    // The shaft, and the part weights its catalogue record suggests.
    std::optional<CatalogueShaft> shaft;
    if (start.slot) {
        out.shaftKey = details::seekKey(start.slot->key);
        out.modelsCaption = start.slot->modelsCaption;
        core::Result<CatalogueShaft> found =
            lookUpShaft(catalogue, out.shaftKey, in.page, out.modelsCaption);
        // A key the catalogue lacks is the window's to report, as for a
        // key typed into it.
        if (found) {
            shaft = std::move(found).value();
            sheet.arrow.shaft = shaft->shaft;
        }
    }

    calculators::ArrowInput& arrow = sheet.arrow;
    if (start.parts) {
        arrow.lengthIn = start.parts->length;
        arrow.pointGr = start.parts->point;
        arrow.insertGr = start.parts->insert;
        arrow.nockGr = start.parts->nock;
        arrow.fletchingGr = start.parts->fletching;
    } else {
        const std::string& lengthText = youth ? in.youthArrowLength : in.arrowLength;
        arrow.lengthIn = numberOr(lengthText, arrow.lengthIn,
                                  youth ? "youth arrow length" : "arrow length", "in", out.notes);
        if (details::usesEnteredPointWeight(in.page) || !shaft) {
            arrow.pointGr =
                numberOr(in.pointWeight, arrow.pointGr, "point weight", "gr", out.notes);
        } else {
            arrow.pointGr = shaft->record.defaultPoint;
        }
        if (shaft) {
            arrow.insertGr = shaft->record.defaultInsert;
            arrow.nockGr = shaft->record.defaultNock;
            arrow.fletchingGr = shaft->record.defaultFletching;
        }
    }
    bow.drawLengthIn = arrow.lengthIn - kDrawUnderArrowIn;
    return out;
}

}  // namespace quivra::buildsheet
