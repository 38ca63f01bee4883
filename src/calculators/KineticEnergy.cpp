#include "KineticEnergy.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace quivra::calculators {

namespace {

KineticEnergy failure(KineticEnergy::Outcome outcome, std::string message) {
    KineticEnergy result;
    result.outcome = outcome;
    result.message = std::move(message);
    return result;
}

// Reads one field; a text that is no whole number or a value of 0 or below
// ends the calculation with the matching message.
std::optional<KineticEnergy> checkField(std::string_view text, int& value) {
    const auto parsed = core::parseInteger(text);
    if (!parsed) {
        return failure(KineticEnergy::Outcome::ConversionError, core::notAnIntegerMessage(text));
    }
    if (*parsed <= 0) {
        return failure(KineticEnergy::Outcome::ZeroInvalid, std::string(kZeroInvalidMessage));
    }
    value = *parsed;
    return std::nullopt;
}

}  // namespace

std::string_view pictureListName(GameClass gameClass) {
    switch (gameClass) {
        case GameClass::Small:
            return "SmallImg";
        case GameClass::Medium:
            return "MediumImg";
        case GameClass::Big:
            return "BigImg";
        case GameClass::Tough:
            return "ToughImg";
        case GameClass::Tanks:
            return "Tanks";
    }
    return "MediumImg";
}

GameClass gameClassFor(long long wholeFootPounds) {
    if (wholeFootPounds < 25) return GameClass::Small;
    if (wholeFootPounds <= 40) return GameClass::Medium;
    if (wholeFootPounds <= 64) return GameClass::Big;
    if (wholeFootPounds <= 200) return GameClass::Tough;
    return GameClass::Tanks;
}

KineticEnergy computeKineticEnergy(std::string_view grainWeightText,
                                   std::string_view velocityText) {
    int velocity = 0;
    int weight = 0;
    if (auto failed = checkField(velocityText, velocity)) return *failed;
    if (auto failed = checkField(grainWeightText, weight)) return *failed;

    const double v = velocity;
    const double w = weight;
    const double energy = v * v * w / 450240.0 + 0.005;

    KineticEnergy result;
    result.text = core::cutDecimals(core::decimalText(energy, 15), 2);
    const auto point = result.text.find('.');
    // The whole part of the text (not of the value): the text may have been
    // rounded up to the next whole number by the 15 significant digits.
    const double shown = core::parseDecimal(result.text.substr(0, point)).value_or(0.0);
    result.whole = shown >= 9.0e18 ? 9'000'000'000'000'000'000LL : static_cast<long long>(shown);
    result.barPosition = static_cast<int>(std::min<long long>(result.whole, 100));
    result.gameClass = gameClassFor(result.whole);
    return result;
}

}  // namespace quivra::calculators
