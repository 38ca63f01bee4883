#pragma once
// Filled-in sample reports for review: a shop, a full grid for each category
// page and a customer record, with every field carrying realistic text.

#include "CategoryReportData.h"
#include "CustomerRecordView.h"
#include "ShopRecord.h"

namespace quivra::reports::samples {

quivra::customers::ShopRecord sampleShop();
CategoryReportData sampleCategoryReport(quivra::core::Page page);
quivra::customers::CustomerRecordView sampleCustomer();
QDateTime samplePrintTime();

}  // namespace quivra::reports::samples
