#pragma once
// RestoredSetup: what "Return Data" puts back into the main window.
//
// The main window applies it in this order: select `page` (when set), then
// write the texts, then select the group items.  A member that is empty
// (std::nullopt) leaves that input as it is.  Group indexes are already
// clamped into each group's item range, so they can be applied as they are.
//
// A Youth record restores the youth inputs (youthBowWeight, youthArrowLength)
// and leaves the adult bow weight and arrow length alone; every other record
// restores the adult ones and leaves the youth inputs alone.

#include "SelectionInputs.h"

#include <optional>
#include <string>

namespace quivra::customers {

struct RestoredSetup {
    std::optional<quivra::core::Page> page;       // nullopt: keep the current page
    std::optional<std::string> bowWeight;         // BowWeightSpin
    std::optional<std::string> arrowLength;       // ArrowLengthSpin
    std::optional<std::string> pointWeight;       // PointWtSpin
    std::optional<std::string> youthBowWeight;    // YouthBowWtSpin
    std::optional<std::string> youthArrowLength;  // YouthArrowLenSpin
    std::optional<int> bowType;                   // BowType, 0..2
    std::optional<int> targBowType;               // TargBowType, 0..1 (longbow code 2 gives 1)
    std::optional<int> wheelType;                 // WheelType, 0..2
    std::optional<int> huntCamType;               // HuntCamType, 0..1 (hunting, Kestra records)
    std::optional<int> releaseType;               // ReleaseType, 0..1
    std::optional<int> braceHt;                   // BraceHt, 0..1
    std::optional<int> overDraw;                  // OverDraw, 0..5

    bool operator==(const RestoredSetup&) const = default;
};

}  // namespace quivra::customers
