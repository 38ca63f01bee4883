#pragma once
// Bow: the bow as the build sheet's speed models read it.

#include <optional>

namespace quivra::calculators {

enum class BowType { Compound, Recurve, Longbow };

// The standard a speed rating was measured to.  Both rate a bow at 70 lb
// peak draw weight, 30 in draw length and a 350-grain arrow; the sheet shows
// which one the maker quoted.
enum class RatingStandard { Ibo, Ata };

struct Bow {
    BowType type = BowType::Compound;
    std::optional<double> ratingFps;  // speed rating, feet per second
    RatingStandard standard = RatingStandard::Ibo;
    double drawWeightLb = 60.0;        // peak draw weight
    double drawLengthIn = 29.0;        // to the pivot point plus 1.75 in
    double braceHeightIn = 7.0;        // string to the pivot point at rest
    double stringAccessoriesGr = 0.0;  // nock points, loop, silencers, peep
};

}  // namespace quivra::calculators
