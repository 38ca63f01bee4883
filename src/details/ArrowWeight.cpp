#include "ArrowWeight.h"

#include "NumberText.h"

namespace quivra::details {

namespace {

using calculators::notAFloatMessage;
using calculators::parseDecimal;

Converted convert(std::string_view text) {
    if (const auto value = parseDecimal(text)) return {value, {}};
    return {std::nullopt, notAFloatMessage(text)};
}

bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

std::string seekKey(std::string_view specKey) {
    std::string key(specKey);
    const auto blank = key.find(' ');
    if (blank != std::string::npos) key.erase(blank, 15);
    return key;
}

Converted initialArrowLength(std::string_view pageKey, std::string_view arrowLengthText,
                             std::string_view youthArrowLengthText) {
    return convert(pageKey == "Youth" ? youthArrowLengthText : arrowLengthText);
}

bool usesEnteredPointWeight(std::string_view pageKey) {
    return pageKey == "Hunt";
}

Converted initialPointWeight(std::string_view pageKey, std::string_view pointWeightText,
                             double defaultPointWeight) {
    if (usesEnteredPointWeight(pageKey)) return convert(pointWeightText);
    return {defaultPointWeight, {}};
}

bool isTwoFamilyRow(std::string_view modelsCaption) {
    return modelsCaption.size() >= 5 && modelsCaption.substr(2, 3) == ",M4";
}

Converted grainsPerInch(std::string_view modelsCaption, std::string_view gpiText) {
    std::string_view text = gpiText;
    if (isTwoFamilyRow(modelsCaption)) text = gpiText.size() > 5 ? gpiText.substr(5, 4) : "";
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
    return calculators::cutDecimals(calculators::decimalText(grains, 15), 0) + " Gr.";
}

}  // namespace quivra::details
