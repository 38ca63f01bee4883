#pragma once
// Kinetic energy of an arrow and its hunting-usage class.
//
// KE (foot-pounds) = v * v * w / 450240 with v in feet per second and w in
// grains.  The result is shown with two decimals, rounded half up (0.005 is
// added before the text is cut), and its whole part n rates the arrow:
//   n < 25 small game, 25..40 medium, 41..64 big, 65..200 tough, 201+ tanks.

#include <string>
#include <string_view>

namespace quivra::calculators {

enum class GameClass { Small, Medium, Big, Tough, Tanks };

// The picture list that illustrates a class: "SmallImg", "MediumImg",
// "BigImg", "ToughImg" or "Tanks".
std::string_view pictureListName(GameClass gameClass);

// The class of a whole-number kinetic energy.
GameClass gameClassFor(long long wholeFootPounds);

struct KineticEnergy {
    enum class Outcome {
        Ok,              // text, whole, barPosition and gameClass are set
        ZeroInvalid,     // a field was 0 or below: show kZeroInvalidMessage
        ConversionError  // a field is not a whole number: message says which
    };
    Outcome outcome = Outcome::Ok;
    std::string message;  // for ZeroInvalid and ConversionError
    std::string text;     // e.g. "35.54"
    long long whole = 0;  // the whole part of text
    int barPosition = 0;  // whole, at most 100
    GameClass gameClass = GameClass::Small;
};

inline constexpr std::string_view kZeroInvalidMessage =
    "Zero is invalid, please enter a whole number.";

// Computes from the texts of the grain-weight and velocity fields.  The
// velocity is read and tested first, so two zero fields give one message.
KineticEnergy computeKineticEnergy(std::string_view grainWeightText, std::string_view velocityText);

}  // namespace quivra::calculators
