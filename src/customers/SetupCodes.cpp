#include "SetupCodes.h"

#include <algorithm>
#include <charconv>

namespace quivra::customers {

using core::Page;

namespace {

// Item counts of the choice groups.
constexpr int kBowTypeItems = 3;
constexpr int kTargBowTypeItems = 2;
constexpr int kWheelTypeItems = 3;
constexpr int kHuntCamTypeItems = 2;
constexpr int kReleaseTypeItems = 2;
constexpr int kBraceHtItems = 2;
constexpr int kOverDrawItems = 6;

std::string indexText(int index) {
    return std::to_string(index);
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::optional<int> clamped(std::optional<int> code, int items) {
    if (!code) return std::nullopt;
    return std::clamp(*code, 0, items - 1);
}

}  // namespace

std::string categoryCode(std::optional<Page> page) {
    if (!page) return {};
    switch (*page) {
        case Page::Hunt:
            return "0";
        case Page::Targ:
            return "1";
        case Page::Kstr:
            return "2";
        case Page::Youth:
            return "3";
    }
    return {};
}

SetupCodes encodeSetup(const selection::SelectionInputs& inputs, std::optional<Page> page) {
    const bool youth = page == Page::Youth;
    const bool targetGroup = page == Page::Targ || page == Page::Kstr;
    const bool huntingCam = page == Page::Hunt || page == Page::Kstr;

    SetupCodes codes;
    codes.hort = categoryCode(page);
    codes.bowWeight = youth ? inputs.youthBowWeight : inputs.bowWeight;
    codes.arrowLength = youth ? inputs.youthArrowLength : inputs.arrowLength;
    codes.pointWeight = inputs.pointWeight;
    codes.bowType = indexText(targetGroup ? inputs.targBowType : inputs.bowType);
    codes.wheelType = indexText(huntingCam ? inputs.huntCamType : inputs.wheelType);
    codes.releaseType = indexText(inputs.releaseType);
    codes.braceHt = indexText(inputs.braceHt);
    codes.overDraw = indexText(inputs.overDraw);
    return codes;
}

storage::Result<std::optional<int>> parseCode(std::string_view text) {
    const std::string_view t = trimmed(text);
    if (t.empty()) return std::optional<int>{};
    int value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc{} || end != t.data() + t.size()) {
        return storage::Status::conversion(storage::notAnIntegerMessage(std::string(t)));
    }
    return std::optional<int>{value};
}

storage::Result<RestoredSetup> restoreSetup(const SetupCodes& codes) {
    RestoredSetup out;

    // Category: an unknown or unreadable code keeps the current page.
    const auto hort = parseCode(codes.hort);
    if (hort.isOk() && hort.value()) {
        switch (*hort.value()) {
            case 0:
                out.page = Page::Hunt;
                break;
            case 1:
                out.page = Page::Targ;
                break;
            case 2:
                out.page = Page::Kstr;
                break;
            case 3:
                out.page = Page::Youth;
                break;
            default:
                break;
        }
    }

    if (out.page == Page::Youth) {
        out.youthBowWeight = std::string(trimmed(codes.bowWeight));
        out.youthArrowLength = std::string(trimmed(codes.arrowLength));
    } else {
        out.bowWeight = std::string(trimmed(codes.bowWeight));
        out.arrowLength = std::string(trimmed(codes.arrowLength));
    }
    out.pointWeight = std::string(trimmed(codes.pointWeight));

    // Every selection code is checked before anything is returned, so a bad
    // record restores nothing rather than half a set-up.
    const auto bow = parseCode(codes.bowType);
    const auto wheel = parseCode(codes.wheelType);
    const auto release = parseCode(codes.releaseType);
    const auto brace = parseCode(codes.braceHt);
    const auto over = parseCode(codes.overDraw);
    for (const auto* r : {&bow, &wheel, &release, &brace, &over}) {
        if (!r->isOk()) return r->status();
    }
    out.bowType = clamped(bow.value(), kBowTypeItems);
    out.targBowType = clamped(bow.value(), kTargBowTypeItems);
    out.wheelType = clamped(wheel.value(), kWheelTypeItems);
    if ((out.page == Page::Hunt || out.page == Page::Kstr) && wheel.value() &&
        *wheel.value() >= 0 && *wheel.value() < kHuntCamTypeItems) {
        out.huntCamType = *wheel.value();
    }
    out.releaseType = clamped(release.value(), kReleaseTypeItems);
    out.braceHt = clamped(brace.value(), kBraceHtItems);
    out.overDraw = clamped(over.value(), kOverDrawItems);
    return out;
}

}  // namespace quivra::customers
