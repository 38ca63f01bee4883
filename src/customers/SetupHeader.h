#pragma once
// The header panel of the customer windows: the set-up shown in words
// ("60#", "Compound", `Over 6.5"` ...).  Two variants:
//  - saveHeader(): what the save window shows for the inputs it is saving;
//    a recurve or longbow shows "N/A" on the four compound-only lines.
//  - recordHeader(): what the retrieval window shows for a saved record; it
//    decodes every line whatever the bow type.
// A code outside the decoding tables gives an empty text, never a stale one.
// A hunting or Kestra set-up names the hunting cam it was searched with
// ("Hard Cam", "Medium Cam"); other set-ups name the WheelType item.

#include "SelectionInputs.h"
#include "SetupCodes.h"

#include <string>
#include <string_view>

namespace quivra::customers {

struct HeaderTexts {
    std::string bowWeight;    // Label24
    std::string arrowLength;  // Label25
    std::string pointWeight;  // Label27
    std::string category;     // Label17
    std::string bowType;      // Label9
    std::string wheelType;    // Label10
    std::string release;      // Label12
    std::string braceHeight;  // Label15
    std::string overDraw;     // Label16

    bool operator==(const HeaderTexts&) const = default;
};

// Decoding tables, by 0-based code; empty text for a code outside the table.
std::string categoryText(int code);           // 0 "Hunting Shafts" .. 3 "Youth Shafts"
std::string bowTypeText(int code);            // 0 "Compound", 1 "Recurve", 2 "Longbow"
std::string wheelTypeText(int code);          // 0 "Hard", 1 "Medium", 2 "Soft"
std::string huntCamText(int code);            // 0 "Hard Cam", 1 "Medium Cam"
std::string headerReleaseText(int code);      // 0 "Mechanical", 1 "Fingers"
std::string headerBraceHeightText(int code);  // 0 `Over 6.5"`, 1 `Under 6.5"`
std::string headerOverDrawText(int code);     // 0 "None", 1..5 the digit and an inch mark

HeaderTexts saveHeader(const selection::SelectionInputs& inputs,
                       std::optional<core::Page> searchedPage);
HeaderTexts recordHeader(const SetupCodes& codes);

}  // namespace quivra::customers
