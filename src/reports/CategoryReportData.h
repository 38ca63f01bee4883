#pragma once
// CategoryReportData: everything one category set-up report prints, captured
// from the main window at the moment the user asks for the report.  The
// report reads nothing else: no table, no window, no clock.

#include "RecommendationSlot.h"
#include "SelectionInputs.h"
#include "ShopRecord.h"

#include <QDateTime>

#include <vector>

namespace quivra::reports {

struct CategoryReportData {
    // Which report: Hunting, Target, Youth or Kestra.
    quivra::core::Page page = quivra::core::Page::Hunt;
    // The main window's inputs as they stand (texts as typed, group indexes).
    quivra::selection::SelectionInputs inputs;
    // The grid of `page` in slot order (slot 1 first).  Missing slots print as
    // blank rows; slots beyond the page's count are ignored.  (Not called
    // "slots": Qt defines that word as a macro in every file using signals.)
    std::vector<quivra::selection::RecommendationSlot> grid;
    // The shop's own details for the head and the comment box.
    quivra::customers::ShopRecord shop;
    // Printed as the date and time of printing.
    QDateTime printedAt;
};

}  // namespace quivra::reports
