#pragma once
// RecommendationSlot: one grid row of four buttons (size, spine, models,
// weight) as a search leaves it.

#include <string>

namespace quivra::selection {

struct GridButton {
    std::string caption;
    bool showCaption = true;
    bool enabled = true;
    std::string hint;

    bool operator==(const GridButton&) const = default;
};

struct RecommendationSlot {
    GridButton size;
    GridButton spine;
    GridButton models;
    GridButton weight;

    bool operator==(const RecommendationSlot&) const = default;
};

}  // namespace quivra::selection
