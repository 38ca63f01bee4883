#pragma once
// RecommendationSlot: one grid row of four buttons (size, spine, models,
// weight) as a search leaves it, and the detail request its size button
// makes.

#include "Page.h"

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
    // The second half of the catalogue key of this slot: the chart's key
    // text of the entry (trimmed SHnSPINE on Hunting, SHnMODL on Youth,
    // SHnMODEL on Kestra; the hidden spine label TSPnLBL on Target) as the
    // last search that read a chart row of the page left it.  A slot the
    // search empties keeps it, as the chart keeps its record.
    std::string keySuffix;

    bool operator==(const RecommendationSlot&) const = default;
};

// What a click on a size button hands to the arrow weight builder.
struct DetailRequest {
    core::Page page = core::Page::Hunt;  // the page whose grid holds the slot
    std::string key;                     // catalogue key: size caption + key suffix (TmpLbl)
    std::string sizeCaption;             // SpcLbl
    std::string modelsCaption;           // Mods: the models caption of the same row

    bool operator==(const DetailRequest&) const = default;
};

}  // namespace quivra::selection
