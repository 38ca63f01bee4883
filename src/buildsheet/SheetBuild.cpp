#include "SheetBuild.h"

namespace quivra::buildsheet {

namespace {

using calculators::BowType;
using calculators::RatingStandard;

std::string bowTypeKey(BowType type) {
    switch (type) {
        case BowType::Recurve:
            return "recurve";
        case BowType::Longbow:
            return "longbow";
        case BowType::Compound:
            break;
    }
    return "compound";
}

BowType bowTypeOfKey(const std::string& key) {
    if (key == "recurve") return BowType::Recurve;
    if (key == "longbow") return BowType::Longbow;
    return BowType::Compound;
}

}  // namespace

customers::SavedBuild savedBuildOf(const calculators::BuildSheetInput& input,
                                   const calculators::BuildSheet& sheet,
                                   const SheetExtras& extras) {
    customers::SavedBuild b;
    b.shaftKey = extras.shaftKey;
    if (input.arrow.shaft) {
        b.size = input.arrow.shaft->size;
        b.models = input.arrow.shaft->models;
        b.spineIn = input.arrow.shaft->spineIn;
        b.grainsPerInch = input.arrow.shaft->grainsPerInch;
    }
    const calculators::ArrowInput& a = input.arrow;
    b.lengthIn = a.lengthIn;
    b.pointGr = a.pointGr;
    b.insertGr = a.insertGr;
    b.nockGr = a.nockGr;
    b.fletchingGr = a.fletchingGr;
    b.quantity = extras.quantity;
    b.totalGr = sheet.arrowWeightGr;
    b.focPercent = sheet.focPercent;
    b.speedFps = sheet.energyFps;
    b.spineCheck = sheet.spine ? sheet.spine->verdict : std::string();

    const calculators::Bow& bow = input.bow;
    b.bowType = bowTypeKey(bow.type);
    b.ratingFps = bow.ratingFps;
    b.ratingStandard = bow.standard == RatingStandard::Ata ? "ATA" : "IBO";
    b.drawWeightLb = bow.drawWeightLb;
    b.drawLengthIn = bow.drawLengthIn;
    b.braceHeightIn = bow.braceHeightIn;
    b.stringAccessoriesGr = bow.stringAccessoriesGr;
    b.balanceIn = a.balanceIn;
    b.sightRadiusIn = input.sightRadiusIn;

    b.chartPage = std::string(core::pageKey(input.chart.page));
    b.releaseType = input.chart.releaseType;
    b.camType = input.chart.camType;
    b.overDraw = input.chart.overDraw;
    b.notes = extras.notes;
    return b;
}

calculators::BuildSheetInput sheetInputOf(const customers::SavedBuild& b) {
    calculators::BuildSheetInput in;
    in.bow.type = bowTypeOfKey(b.bowType);
    in.bow.ratingFps = b.ratingFps;
    in.bow.standard = b.ratingStandard == "ATA" ? RatingStandard::Ata : RatingStandard::Ibo;
    in.bow.drawWeightLb = b.drawWeightLb;
    in.bow.drawLengthIn = b.drawLengthIn;
    in.bow.braceHeightIn = b.braceHeightIn;
    in.bow.stringAccessoriesGr = b.stringAccessoriesGr;

    in.arrow.lengthIn = b.lengthIn;
    in.arrow.pointGr = b.pointGr;
    in.arrow.insertGr = b.insertGr;
    in.arrow.nockGr = b.nockGr;
    in.arrow.fletchingGr = b.fletchingGr;
    in.arrow.balanceIn = b.balanceIn;
    in.sightRadiusIn = b.sightRadiusIn;

    in.chart.page = core::pageFromKey(b.chartPage).value_or(core::Page::Hunt);
    in.chart.releaseType = b.releaseType;
    in.chart.camType = b.camType;
    in.chart.overDraw = b.overDraw;
    return in;
}

}  // namespace quivra::buildsheet
