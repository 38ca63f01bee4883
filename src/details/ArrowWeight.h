#pragma once
// Rules of the arrow weight builder: which catalogue record to read,
// where the starting values come from, the shaft's grains per inch and the
// shaft and total arrow weights as shown ("255 Gr.").

#include "Page.h"

#include <optional>
#include <string>
#include <string_view>

namespace quivra::details {

// A number read from a text, or the message that says why there is none.
struct Converted {
    std::optional<double> value;
    std::string error;  // "'x' is not a valid floating point value" when !value
};

// The key the builder seeks in the shaft catalogue: the requested key with
// its first blank and up to 14 characters after it removed (a size caption
// such as "2213 (alt 2215)" keeps only "2213"); a key without a blank is
// used whole.
std::string seekKey(std::string_view specKey);

// The arrow length the builder starts with: the youth arrow length on the
// Youth page, the main arrow length on every other page.
Converted initialArrowLength(core::Page page, std::string_view arrowLengthText,
                             std::string_view youthArrowLengthText);

// Only the Hunting page uses the entered point weight; the others start with
// the record's default point weight.
bool usesEnteredPointWeight(core::Page page);

// The starting point weight: the entered text converted on the Hunting page,
// `defaultPointWeight` otherwise.
Converted initialPointWeight(core::Page page, std::string_view pointWeightText,
                             double defaultPointWeight);

// Grains per inch of the shaft: for a combined row (catalogue::
// isTwoFamilyModels of the models caption) the M4 alloy's number, the second
// of catalogue::splitFamilies, otherwise the whole text.  Blank reads as 0,
// like any blank number field of the table.
Converted grainsPerInch(std::string_view modelsCaption, std::string_view gpiText);

// The finished arrow, in inches and grains.
struct ArrowBuild {
    double length = 0.0;
    double nock = 0.0;
    double point = 0.0;
    double fletching = 0.0;
    double insert = 0.0;
};

struct ArrowWeights {
    std::string shaft;  // length x gpi, rounded half up: "255 Gr."
    std::string total;  // length x gpi + nock + point + fletching + insert, cut: "392 Gr."
};

ArrowWeights arrowWeights(const ArrowBuild& build, double grainsPerInch);

// The display form of a weight: shortest text, cut at the ".", then " Gr.".
std::string grainsText(double grains);

}  // namespace quivra::details
