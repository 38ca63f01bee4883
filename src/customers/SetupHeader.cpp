#include "SetupHeader.h"

#include <array>

namespace quivra::customers {

namespace {

constexpr const char* kInch = "\"";

template <std::size_t N>
std::string pick(const std::array<const char*, N>& table, int code) {
    if (code < 0 || static_cast<std::size_t>(code) >= N) return {};
    return table[static_cast<std::size_t>(code)];
}

// The text of a stored code through `decode`; blank or unreadable codes give
// an empty text.
std::string decoded(const std::string& code, std::string (*decode)(int)) {
    const auto parsed = parseCode(code);
    if (!parsed.isOk() || !parsed.value()) return {};
    return decode(*parsed.value());
}

// The wheel line: a hunting or Kestra set-up names the hunting cam it was
// searched with; any other set-up (and a hunting code outside that group,
// from a record saved before WHTYP held it) names the WheelType item.
std::string camText(const SetupCodes& codes) {
    const auto hort = parseCode(codes.hort);
    const auto wheel = parseCode(codes.wheelType);
    if (!wheel.isOk() || !wheel.value()) return {};
    const int code = *wheel.value();
    const bool huntingCam = hort.isOk() && (hort.value() == 0 || hort.value() == 2);
    if (huntingCam && !huntCamText(code).empty()) return huntCamText(code);
    return wheelTypeText(code);
}

std::string trimmedText(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string categoryText(int code) {
    static constexpr std::array<const char*, 4> kTexts{"Hunting Shafts", "Target Shafts",
                                                       "Kestra Shafts", "Youth Shafts"};
    return pick(kTexts, code);
}

std::string bowTypeText(int code) {
    static constexpr std::array<const char*, 3> kTexts{"Compound", "Recurve", "Longbow"};
    return pick(kTexts, code);
}

std::string wheelTypeText(int code) {
    static constexpr std::array<const char*, 3> kTexts{"Hard", "Medium", "Soft"};
    return pick(kTexts, code);
}

std::string huntCamText(int code) {
    static constexpr std::array<const char*, 2> kTexts{"Hard Cam", "Medium Cam"};
    return pick(kTexts, code);
}

std::string headerReleaseText(int code) {
    static constexpr std::array<const char*, 2> kTexts{"Mechanical", "Fingers"};
    return pick(kTexts, code);
}

std::string headerBraceHeightText(int code) {
    static constexpr std::array<const char*, 2> kTexts{"Over 6.5\"", "Under 6.5\""};
    return pick(kTexts, code);
}

std::string headerOverDrawText(int code) {
    if (code == 0) return "None";
    if (code >= 1 && code <= 5) return std::to_string(code) + kInch;
    return {};
}

HeaderTexts saveHeader(const selection::SelectionInputs& inputs,
                       std::optional<core::Page> searchedPage) {
    const SetupCodes codes = encodeSetup(inputs, searchedPage);
    HeaderTexts h;
    h.bowWeight = codes.bowWeight + "#";
    h.arrowLength = codes.arrowLength + kInch;
    h.pointWeight = codes.pointWeight + "gr";
    h.category = decoded(codes.hort, categoryText);

    // On the hunting page the bow is BowType's; on every other page it is
    // TargBowType's.  Only a compound bow has a cam, a release aid, a brace
    // height class and an overdraw worth showing.
    const int bow = searchedPage == core::Page::Hunt ? inputs.bowType : inputs.targBowType;
    h.bowType = bowTypeText(bow);
    if (bow == 0) {
        h.wheelType = camText(codes);
        h.release = headerReleaseText(inputs.releaseType);
        h.braceHeight = headerBraceHeightText(inputs.braceHt);
        h.overDraw = headerOverDrawText(inputs.overDraw);
    } else if (!h.bowType.empty()) {
        h.wheelType = h.release = h.braceHeight = h.overDraw = "N/A";
    }
    return h;
}

HeaderTexts recordHeader(const SetupCodes& codes) {
    HeaderTexts h;
    h.bowWeight = trimmedText(codes.bowWeight) + "#";
    h.arrowLength = trimmedText(codes.arrowLength) + kInch;
    h.pointWeight = trimmedText(codes.pointWeight) + "Gr";
    h.category = decoded(codes.hort, categoryText);
    h.bowType = decoded(codes.bowType, bowTypeText);
    h.wheelType = camText(codes);
    h.release = decoded(codes.releaseType, headerReleaseText);
    h.braceHeight = decoded(codes.braceHt, headerBraceHeightText);
    h.overDraw = decoded(codes.overDraw, headerOverDrawText);
    return h;
}

}  // namespace quivra::customers
