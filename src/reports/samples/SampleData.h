#pragma once
// Filled-in sample reports for review: a shop, a full grid for each category
// page and a customer record, with every field carrying realistic text.

#include "BuildSheetReport.h"
#include "CategoryReportData.h"
#include "CustomerRecordView.h"
#include "ShopRecord.h"

namespace quivra::reports::samples {

quivra::customers::ShopRecord sampleShop();
CategoryReportData sampleCategoryReport(quivra::core::Page page);
quivra::customers::CustomerRecordView sampleCustomer();
QDateTime samplePrintTime();
// A 70 lb compound rated 340 fps and a 29 in carbon arrow, computed.
BuildSheetReportData sampleBuildSheet();

}  // namespace quivra::reports::samples
