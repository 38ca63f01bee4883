#include "ArrowWeight.h"

#include "NumberText.h"
#include "ShaftCatalogue.h"

namespace quivra::details {

namespace {

Converted convert(std::string_view text) {
    if (const auto value = core::parseDecimal(text)) return {value, {}};
    return {std::nullopt, core::notAFloatMessage(text)};
}

bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

std::string seekKey(std::string_view specKey) {
    return core::cutAtFirst(specKey, ' ');
}

Converted initialArrowLength(core::Page page, std::string_view arrowLengthText,
                             std::string_view youthArrowLengthText) {
    return convert(page == core::Page::Youth ? youthArrowLengthText : arrowLengthText);
}

bool usesEnteredPointWeight(core::Page page) {
    return page == core::Page::Hunt;
}

Converted initialPointWeight(core::Page page, std::string_view pointWeightText,
                             double defaultPointWeight) {
    if (usesEnteredPointWeight(page)) return convert(pointWeightText);
    return {defaultPointWeight, {}};
}

Converted grainsPerInch(std::string_view modelsCaption, std::string_view gpiText) {
    std::string_view text = gpiText;
    if (catalogue::isTwoFamilyModels(modelsCaption))
        text = catalogue::splitFamilies(gpiText).second;
    if (isBlank(text)) return {0.0, {}};
    return convert(text);
}

ArrowWeights arrowWeights(const ArrowBuild& build, double grainsPerInch) {
    const double shaft = build.length * grainsPerInch;
    // The total adds the parts in this order and is cut, not rounded.
    const double total = shaft + build.nock + build.point + build.fletching + build.insert;
    return {grainsText(shaft + 0.5), grainsText(total)};
}

std::string grainsText(double grains) {
    return core::cutDecimals(core::decimalText(grains, 15), 0) + " Gr.";
}

}  // namespace quivra::details
