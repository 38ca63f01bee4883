#pragma once
// SelectionInputs: the state of the main window's input controls as a search
// reads it.  Texts are exactly what the fields hold (they may be empty or not
// numbers); choice groups are 0-based item indexes, -1 when nothing is selected.

#include "Page.h"

#include <string>

namespace quivra::selection {

using core::Page;

struct SelectionInputs {
    Page page = Page::Hunt;               // active page of ShaftsNB
    std::string bowWeight = "60";         // BowWeightSpin
    std::string youthBowWeight = "30";    // YouthBowWtSpin
    std::string arrowLength = "30";       // ArrowLengthSpin
    std::string youthArrowLength = "25";  // YouthArrowLenSpin
    std::string pointWeight = "100";      // PointWtSpin
    int bowType = 0;                      // BowType: compound, recurve, modern longbow
    int targBowType = 0;                  // TargBowType: compound, recurve
    int releaseType = 0;                  // ReleaseType: mechanical, fingers
    int overDraw = 0;                     // OverDraw: none, 1" .. 5"
    int wheelType = 0;                    // WheelType: hard, medium, soft cam (AMO fps)
    int huntCamType = 0;                  // HuntCamType: single or hard cam, medium cam
    int braceHt = 0;                      // BraceHt: over 6.5", under 6.5"

    bool operator==(const SelectionInputs&) const = default;
};

}  // namespace quivra::selection
