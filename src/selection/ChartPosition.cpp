#include "ChartPosition.h"

#include <array>

namespace quivra::selection {

namespace {

bool compound(const ChartSetup& s) {
    return s.page != Page::Youth && s.bowType == 0;
}

// Position of `weight` on the column's band scale: band n covers the
// stretch from half a pound under its lowest weight to half a pound over its
// highest, mapped linearly onto n - 0.5 .. n + 0.5.
double bandPosition(const BandColumn& column, double weight) {
    const std::size_t count = column.tops.size();
    if (count == 0) return column.firstBand;
    std::size_t i = 0;
    while (i + 1 < count && weight > column.tops[i] + 0.5) ++i;
    const double low = (i == 0 ? column.lowest : column.tops[i - 1] + 1) - 0.5;
    const double width = column.tops[i] + 0.5 - low;
    return column.firstBand + static_cast<double>(i) - 0.5 + (weight - low) / width;
}

}  // namespace

ChartSetup chartSetupOf(const SelectionInputs& in, double weight, double arrowLength,
                        double pointWeight) {
    ChartSetup s;
    s.page = in.page;
    s.weight = weight;
    s.arrowLength = arrowLength;
    s.pointWeight = pointWeight;
    s.bowType = in.page == Page::Hunt ? in.bowType : in.targBowType;
    s.releaseType = in.releaseType;
    s.overDraw = in.overDraw;
    s.braceHt = in.braceHt;
    s.camType = in.page == Page::Targ ? in.wheelType : in.huntCamType;
    return s;
}

bool readsPointWeight(const ChartSetup& s) {
    if (s.page == Page::Hunt) return s.bowType >= 0 && s.bowType <= 2;
    return compound(s);
}

int compoundPointCorrection(double p) {
    if (p >= 105 && p <= 125) return 3;
    if (p >= 130 && p <= 155) return 6;
    if (p >= 160 && p <= 185) return 9;
    return 0;
}

int recurvePointCorrection(double p) {
    if (p >= 65 && p <= 85) return -3;
    if (p >= 115 && p <= 135) return 3;
    if (p >= 140 && p <= 160) return 6;
    return 0;
}

int longbowAndTargetPointCorrection(double p) {
    if (p >= 105 && p <= 125) return 3;
    if (p >= 130 && p <= 150) return 6;
    if (p >= 155 && p <= 160) return 9;
    return 0;
}

int overdrawCorrection(double correctedWeight, int overDrawIndex) {
    static constexpr int kAdd[] = {0, 1, 3, 6, 9, 12};
    if (correctedWeight < 50 || correctedWeight > 70) return 0;
    if (overDrawIndex < 0 || overDrawIndex > 5) return 0;
    return kAdd[overDrawIndex];
}

double correctedWeight(const ChartSetup& s) {
    double cw = s.weight;
    switch (s.page) {
        case Page::Hunt:
            if (s.bowType == 0) {
                if (s.braceHt == 1) cw += 5;
                if (s.releaseType == 1) cw += 5;
                cw += compoundPointCorrection(s.pointWeight);
                cw += overdrawCorrection(cw, s.overDraw);
            } else if (s.bowType == 1) {
                cw += recurvePointCorrection(s.pointWeight);
            } else if (s.bowType == 2) {
                cw += longbowAndTargetPointCorrection(s.pointWeight);
            }
            break;
        case Page::Targ:
            if (s.bowType == 0) {
                if (s.braceHt == 1) cw += 5;
                cw += longbowAndTargetPointCorrection(s.pointWeight);
                cw += 5.0 * s.releaseType;
                cw += overdrawCorrection(cw, s.overDraw);
            }
            break;
        case Page::Kstr:
            // The overdraw does not enter the weight on this page.
            if (s.bowType == 0) {
                cw += 5.0 * s.releaseType;
                if (s.braceHt == 1) cw += 5;
                if (s.pointWeight > 100) cw += 3;
            }
            break;
        case Page::Youth:
            break;
    }
    return cw;
}

const BandColumn* bandColumn(const ChartSetup& s) {
    switch (s.page) {
        case Page::Hunt:
            if (s.bowType == 1) return &bands::kHuntRecurve;
            if (s.bowType == 2) return &bands::kHuntLongbow;
            if (s.bowType != 0) return nullptr;
            if (s.camType == 0) return &bands::kHuntHardCam;
            if (s.camType == 1) return &bands::kHuntMediumCam;
            return nullptr;
        case Page::Targ: {
            if (s.bowType == 1) return &bands::kTargRecurve;
            if (s.bowType != 0 || s.camType < 0 || s.camType > 2) return nullptr;
            static constexpr std::array kColumns{&bands::kTargHardCam, &bands::kTargMediumCam,
                                                 &bands::kTargSoftCam};
            return kColumns[static_cast<std::size_t>(s.camType)];
        }
        case Page::Kstr:
            if (s.bowType == 1) return &bands::kKstrFirst;
            if (s.bowType != 0) return nullptr;
            if (s.camType == 0) return &bands::kKstrFirst;
            if (s.camType == 1) return &bands::kKstrMediumCam;
            return nullptr;
        case Page::Youth:
            return &bands::kYouth;
    }
    return nullptr;
}

int rowLengthOffset(const ChartSetup& s) {
    if (s.page == Page::Youth) return 21;
    if (s.page == Page::Hunt && s.bowType == 2) return 25;
    return 23;
}

std::pair<int, int> validRows(Page page) {
    switch (page) {
        case Page::Hunt:
            return {2, 20};
        case Page::Targ:
            return {2, 19};
        case Page::Youth:
            return {1, 10};
        case Page::Kstr:
            return {9, 19};
    }
    return {2, 20};
}

std::optional<double> continuousRow(const ChartSetup& s) {
    const BandColumn* column = bandColumn(s);
    if (!column) return std::nullopt;
    return bandPosition(*column, correctedWeight(s)) + s.arrowLength - rowLengthOffset(s);
}

}  // namespace quivra::selection
