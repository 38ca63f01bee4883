#pragma once
// SavedBuild: the arrow a shop built for a saved set-up, as the build sheet
// showed it when the clerk saved it.  It is kept beside the set-up in a
// table of our own (BuildStore, Builds.dbf) and printed on the bench work
// ticket.  Figures are stored as they were computed, so a ticket printed next
// season says what was sold, and the bow and chart inputs are stored with
// them, so the build sheet can be opened again on the same arrow.
//
// Units: inches, grains, pounds, feet per second; percent for FOC.  Empty
// optionals are figures the sheet did not have (a bow without a speed
// rating, an arrow without a spine check).

#include <optional>
#include <string>

namespace quivra::customers {

struct SavedBuild {
    // The shaft, as the catalogue described it when the arrow was built.
    std::string shaftKey;  // catalogue key: size and chart key, "340CH"
    std::string size;      // "340"
    std::string models;    // "CH" / "KV,M4"
    double spineIn = 0.0;  // static spine deflection
    double grainsPerInch = 0.0;

    // The arrow.
    double lengthIn = 0.0;  // cut length, nock groove to the end of the shaft
    double pointGr = 0.0;
    double insertGr = 0.0;
    double nockGr = 0.0;
    double fletchingGr = 0.0;  // all vanes or feathers of one arrow together
    int quantity = 12;
    double totalGr = 0.0;  // one finished arrow
    std::optional<double> focPercent;
    std::optional<double> speedFps;  // the sheet's estimate from this bow
    std::string spineCheck;          // "matches the chart", "weak by 12%"; "" unchecked

    // The bow on the sheet.
    std::string bowType = "compound";  // "compound", "recurve", "longbow"
    std::optional<double> ratingFps;
    std::string ratingStandard = "IBO";  // "IBO" or "ATA"
    double drawWeightLb = 0.0;
    double drawLengthIn = 0.0;
    double braceHeightIn = 0.0;
    double stringAccessoriesGr = 0.0;
    std::optional<double> balanceIn;      // measured; estimated when empty
    std::optional<double> sightRadiusIn;  // default when empty

    // The chart the spine was checked on: page key and its choices.
    std::string chartPage = "Hunt";  // "Hunt", "Targ", "Youth", "Kstr"
    int releaseType = 0;
    int camType = 0;
    int overDraw = 0;

    std::string notes;    // up to kBuildNotesWidth characters
    std::string savedAt;  // yyyyMMddHHmmss, set by the store when saving

    // The shaft weight of the cut shaft, length x grains per inch.
    [[nodiscard]] double shaftGr() const { return lengthIn * grainsPerInch; }

    bool operator==(const SavedBuild&) const = default;
};

// The most characters the notes of a build hold.
inline constexpr int kBuildNotesWidth = 254;

}  // namespace quivra::customers
