#include "SetupTexts.h"

#include "SetupHeader.h"

#include <array>

namespace quivra::reports {

namespace {

using quivra::core::Page;

template <std::size_t N>
QString pick(const std::array<const char*, N>& texts, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) return {};
    return QString::fromLatin1(texts[static_cast<std::size_t>(index)]);
}

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

QString na() {
    return QString::fromLatin1(kNotApplicable);
}

SetupBlock huntingBlock(const quivra::selection::SelectionInputs& in) {
    const bool compound = in.bowType == 0;
    SetupBlock block;
    block.left = {
        {QStringLiteral("Peak Bow Weight:"), fromStd(in.bowWeight)},
        {QStringLiteral("Arrow Length:"), fromStd(in.arrowLength)},
        {QStringLiteral("Point Weight:"), fromStd(in.pointWeight)},
        {QStringLiteral("Over Draw:"), compound ? reportOverDrawText(in.overDraw) : na()},
    };
    block.right = {
        {QStringLiteral("Bow Type:"), huntingBowTypeText(in.bowType)},
        // The cam class the hunting search used (HuntCamType), not the
        // target page's three-item group.
        {QStringLiteral("Wheel Type:"), compound ? huntingWheelTypeText(in.huntCamType) : na()},
        {QStringLiteral("Release:"), compound ? reportReleaseText(in.releaseType) : na()},
        {QStringLiteral("Brace Height:"), compound ? reportBraceHeightText(in.braceHt) : na()},
    };
    return block;
}

SetupBlock targetBlock(const quivra::selection::SelectionInputs& in) {
    // A recurve has no cam, release aid, overdraw or brace-height choice on
    // the target page, and the page greys its point-weight field as well.
    const bool recurve = in.targBowType == 1;
    SetupBlock block;
    block.left = {
        {QStringLiteral("Peak Bow Weight:"), fromStd(in.bowWeight)},
        {QStringLiteral("Arrow Length:"), fromStd(in.arrowLength)},
        {QStringLiteral("Point Weight:"), recurve ? na() : fromStd(in.pointWeight)},
        {QStringLiteral("Over Draw:"), recurve ? na() : reportOverDrawText(in.overDraw)},
    };
    block.right = {
        {QStringLiteral("Bow Type:"), targetBowTypeText(in.targBowType)},
        {QStringLiteral("Wheel Type:"), recurve ? na() : targetWheelTypeText(in.wheelType)},
        {QStringLiteral("Release:"), recurve ? na() : reportReleaseText(in.releaseType)},
        {QStringLiteral("Brace Height:"), recurve ? na() : reportBraceHeightText(in.braceHt)},
    };
    return block;
}

SetupBlock youthBlock(const quivra::selection::SelectionInputs& in) {
    SetupBlock block;
    block.left = {
        {QStringLiteral("Peak Bow Weight:"), fromStd(in.youthBowWeight)},
        {QStringLiteral("Arrow Length:"), fromStd(in.youthArrowLength)},
    };
    return block;
}

SetupBlock kestraBlock(const quivra::selection::SelectionInputs& in) {
    SetupBlock block;
    block.left = {
        {QStringLiteral("Peak Bow Weight:"), fromStd(in.bowWeight)},
        {QStringLiteral("Arrow Length:"), fromStd(in.arrowLength)},
    };
    block.right = {
        {QStringLiteral("Bow Type:"), targetBowTypeText(in.targBowType)},
        // The Kestra search bands by the hunting cam group too.
        {QStringLiteral("Wheel Type:"), huntingWheelTypeText(in.huntCamType)},
    };
    return block;
}

}  // namespace

QString reportOverDrawText(int index) {
    static constexpr std::array<const char*, 6> texts{"None",     "1 inch",   "2 inches",
                                                      "3 inches", "4 inches", "5 inches"};
    return pick(texts, index);
}

QString reportBraceHeightText(int index) {
    static constexpr std::array<const char*, 2> texts{"More Than 6 1/2\"", "Less Than 6 1/2\""};
    return pick(texts, index);
}

QString reportReleaseText(int index) {
    return QString::fromStdString(customers::headerReleaseText(index));
}

QString huntingBowTypeText(int index) {
    return QString::fromStdString(customers::bowTypeText(index));
}

QString huntingWheelTypeText(int index) {
    static constexpr std::array<const char*, 3> texts{"Hard Cam", "Medium Cam", "Soft Cam"};
    return pick(texts, index);
}

QString targetBowTypeText(int index) {
    static constexpr std::array<const char*, 2> texts{"Compound", "Recurve"};
    return pick(texts, index);
}

QString targetWheelTypeText(int index) {
    static constexpr std::array<const char*, 3> texts{"Hard Cam", "Soft/Energy Cam", "Round"};
    return pick(texts, index);
}

SetupBlock setupBlock(const CategoryReportData& data) {
    switch (data.page) {
        case Page::Hunt:
            return huntingBlock(data.inputs);
        case Page::Targ:
            return targetBlock(data.inputs);
        case Page::Youth:
            return youthBlock(data.inputs);
        case Page::Kstr:
            return kestraBlock(data.inputs);
    }
    return {};
}

QString printedWeightCaption(Page page, int slotNumber, const QString& caption) {
    const bool carbonDetailSlot =
        slotNumber == 4 || slotNumber == 5 || slotNumber == 7 || slotNumber == 8;
    if (page == Page::Hunt && carbonDetailSlot && caption == QLatin1String("Details")) {
        return QStringLiteral("See Below");
    }
    return caption;
}

}  // namespace quivra::reports
