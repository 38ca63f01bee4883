#pragma once
// The category set-up reports (Hunting, Target, Youth, Kestra): one page with
// the shop block, the set-up block, the recommendation grid of the page and
// the shop's comment box.

#include "CategoryReportData.h"

class QPainter;

namespace quivra::reports {

// Draws the report of `data.page` on one US Letter page.  `painter` must be
// active and mapped so that one unit is one millimetre from the paper's
// top-left corner (mapPainterToMillimetres()).  The painter's state is
// restored on return.
void drawCategoryReport(QPainter& painter, const CategoryReportData& data);

// "Hunting Setup Report", "Target Setup Report", "Youth Setup Report",
// "Kestra Setup Report": the document title of a saved or printed report.
QString categoryReportTitle(quivra::core::Page page);

}  // namespace quivra::reports
