#pragma once
// The arrow build sheet on one US Letter page: the shop block, the bow and
// the arrow as entered, the results, the downrange table, the sight-pin gaps
// and the plot, each figure with its metric value.  The window's Print and
// "Save as PDF..." draw this page, and the tests read it back.

#include "BuildSheet.h"
#include "ShopRecord.h"

#include <QDateTime>
#include <QString>

class QPainter;

namespace quivra::reports {

struct BuildSheetReportData {
    quivra::calculators::BuildSheetInput input;
    quivra::calculators::BuildSheet sheet;  // computeBuildSheet(input)
    quivra::customers::ShopRecord shop;
    QDateTime printedAt;
};

// Draws the page.  `painter` must be active and mapped so that one unit is
// one millimetre from the paper's top-left corner (mapPainterToMillimetres()).
// The painter's state is restored on return.
void drawBuildSheetReport(QPainter& painter, const BuildSheetReportData& data);

// "Arrow Build Sheet": the document title of the printed or saved page.
QString buildSheetReportTitle();

}  // namespace quivra::reports
