#pragma once
// The customer record report: one saved set-up with the customer's name and
// address exactly as the retrieval window shows them, the shop in the page
// footer and the date of printing.

#include "CustomerRecordView.h"
#include "ShopRecord.h"

#include <QDateTime>

class QPainter;

namespace quivra::reports {

// Draws the customer record on one US Letter page.  `painter` must be active
// and mapped so that one unit is one millimetre from the paper's top-left
// corner (mapPainterToMillimetres()).  The painter's state is restored.
void drawCustomerRecordReport(QPainter& painter, const quivra::customers::CustomerRecordView& view,
                              const quivra::customers::ShopRecord& shop,
                              const QDateTime& printedAt);

// The document title of a saved or printed customer record.
QString customerRecordTitle(const quivra::customers::CustomerRecordView& view);

}  // namespace quivra::reports
