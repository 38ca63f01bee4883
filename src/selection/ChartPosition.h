#pragma once
// ChartPosition: where a bow set-up lands on a category page's chart, in
// numbers.  The page branches of the search take the corrected weight, the
// band column and the row offset from here, and the arrow build sheet's spine
// check takes the same rules with fractional weights and lengths, so the two
// never disagree.
//
// Corrections by page (added to the bow weight in pounds):
//   Hunting compound: brace under 6.5" +5, fingers +5, point 105-125 gr +3,
//     130-155 +6, 160-185 +9; then, only for a weight of 50 to 70, overdraw
//     items 1-5 add 1, 3, 6, 9, 12.
//   Hunting recurve: point 65-85 gr -3, 115-135 +3, 140-160 +6.
//   Hunting longbow, Target compound: point 105-125 gr +3, 130-150 +6,
//     155-160 +9 (Target compound also brace, fingers and overdraw as above).
//   Kestra compound: fingers +5, brace under 6.5" +5, point above 100 gr +3.
//   Target and Kestra recurve, Youth: none.
// Row = band + arrow length - offset (21 Youth, 25 Hunting longbow, 23 else).

#include "SelectionInputs.h"
#include "WeightBands.h"

#include <optional>
#include <utility>

namespace quivra::selection {

// A set-up as the page's rules read it.  Choice fields are the item indexes
// of the page's own groups; a value outside a group selects nothing.
struct ChartSetup {
    Page page = Page::Hunt;
    int bowType = 0;  // Hunt: BowType (0 compound, 1 recurve, 2 longbow); Targ, Kstr: TargBowType
    double weight = 60.0;        // pounds: the bow weight, on the Youth page the youth bow weight
    double arrowLength = 30.0;   // inches (youth arrow length on the Youth page)
    double pointWeight = 100.0;  // grains
    int releaseType = 0;         // 0 mechanical, 1 fingers
    int overDraw = 0;            // 0 none, 1 to 5 inches
    int braceHt = 0;             // 0 over 6.5", 1 under
    int camType = 0;             // Hunt, Kstr: HuntCamType; Targ: WheelType
};

// The set-up of the main window's inputs on their active page, with the
// weight (the youth weight on the Youth page), arrow length and point weight
// already converted from their texts.
ChartSetup chartSetupOf(const SelectionInputs& inputs, double weight, double arrowLength,
                        double pointWeight);

// True when the page's rules read the point weight for this set-up (its
// compound, and every Hunting bow type).
bool readsPointWeight(const ChartSetup& setup);

// The bow weight after the page's corrections.
double correctedWeight(const ChartSetup& setup);

// The band column the corrected weight is looked up in; null when the
// set-up selects none (no bow type or cam class selected).
const BandColumn* bandColumn(const ChartSetup& setup);

// Arrow length minus band minus row: 21, 23 or 25.
int rowLengthOffset(const ChartSetup& setup);

// The rows a valid search selects on `page`: {first, last}.
std::pair<int, int> validRows(Page page);

// The row the set-up lands on, between rows: inside a band of the column
// the weight moves linearly from half a band below the band's number (at
// half a pound below the band's lowest weight) to half a band above it (at
// half a pound above its highest), so every whole weight of a band lies
// within half a row of the band's row; beyond the column the outermost
// band's width continues the scale.  Empty when the set-up selects no
// column.
std::optional<double> continuousRow(const ChartSetup& setup);

// The corrections of single inputs, as the branches apply them.
int compoundPointCorrection(double pointWeight);          // Hunting compound
int recurvePointCorrection(double pointWeight);           // Hunting recurve
int longbowAndTargetPointCorrection(double pointWeight);  // Hunting longbow, Target compound
int overdrawCorrection(double correctedWeight, int overDrawIndex);  // Hunting, Target compound

}  // namespace quivra::selection
