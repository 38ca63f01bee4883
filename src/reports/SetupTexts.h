#pragma once
// The set-up block of a category report: which caption-value lines each
// report prints and how the main window's choice indexes read on paper.
//
// Each report has its own wording (the target report names the cam classes
// differently from the hunting report) and its own "N/A" rule:
// set-up choices that do not apply to the bow print "N/A" instead of a value.
// An index outside a group's items (nothing selected) prints an empty value.

#include "CategoryReportData.h"

#include <QString>

#include <vector>

namespace quivra::reports {

struct SetupLine {
    QString caption;  // right-aligned, ends at the column's caption edge
    QString value;    // left-aligned, starts at the column's value edge

    bool operator==(const SetupLine&) const = default;
};

struct SetupBlock {
    std::vector<SetupLine> left;   // top to bottom
    std::vector<SetupLine> right;  // top to bottom; empty on the youth report
};

// The value printed for a choice that does not apply to the bow.
inline constexpr const char* kNotApplicable = "N/A";

// "None", "1 inch", "2 inches" .. "5 inches".
QString reportOverDrawText(int index);
// `More Than 6 1/2"` / `Less Than 6 1/2"`.
QString reportBraceHeightText(int index);
// "Mechanical" / "Fingers".
QString reportReleaseText(int index);
// Hunting report: "Compound", "Recurve", "Longbow".
QString huntingBowTypeText(int index);
// Hunting and Kestra reports, by the hunting cam group (HuntCamType) the
// search used: "Hard Cam", "Medium Cam" ("Soft Cam" for a third item).
QString huntingWheelTypeText(int index);
// Target and Kestra reports: "Compound", "Recurve".
QString targetBowTypeText(int index);
// Target report, by WheelType: "Hard Cam", "Soft/Energy Cam", "Round".
QString targetWheelTypeText(int index);

// The set-up lines of the report for `data.page`, "N/A" rules applied.
SetupBlock setupBlock(const CategoryReportData& data);

// The text printed in the weight column of slot `slotNumber` (1-based).  On
// the hunting report a "Details" caption in slots 4, 5, 7 and 8 prints as
// "See Below" (the carbon rows further down hold the details); everything
// else prints as the grid shows it.
QString printedWeightCaption(quivra::core::Page page, int slotNumber, const QString& caption);

}  // namespace quivra::reports
