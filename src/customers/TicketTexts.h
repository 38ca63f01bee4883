#pragma once
// TicketTexts: what a bench work ticket says about the arrow, line by line,
// so the ticket window and the printed ticket say the same.  Numbers are
// written by core::fixedText (no locale changes a digit or the "."):
// weights in grains with one decimal, lengths in inches as short as they
// were entered (up to three decimals), spine with three decimals.

#include "SavedBuild.h"

#include <array>
#include <string>
#include <vector>

namespace quivra::customers {

struct TicketLine {
    std::string caption;  // "Cut length:"
    std::string value;    // "29 in"

    bool operator==(const TicketLine&) const = default;
};

// Where the cut length is measured, printed under it.
inline constexpr const char* kCutLengthWhere =
    "Measured from the bottom of the nock groove to the end of the shaft "
    "(the insert and point not included).";

// Size, models, spine, quantity and cut length.
std::vector<TicketLine> ticketShaftLines(const SavedBuild& build);
// Each part of one arrow with its weight: the cut shaft, point, insert,
// nock and fletching.
std::vector<TicketLine> ticketComponentLines(const SavedBuild& build);
// Total arrow weight, FOC, spine check and estimated speed.
std::vector<TicketLine> ticketResultLines(const SavedBuild& build);

// The steps the bench ticks off, in the order they are done.
inline constexpr std::array<const char*, 7> kBenchSteps{
    "Cut", "Square", "Inserts set", "Fletched", "Nocked", "Weighed", "Spine checked"};

// "1042"; "(given when printed)" before a number is taken.
std::string ticketNumberText(unsigned number);

// "408.7 gr"
std::string grainsValue(double grains);
// "29 in", "28.75 in"
std::string inchesValue(double inches);

}  // namespace quivra::customers
