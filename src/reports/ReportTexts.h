#pragma once
// Texts of the report heads and feet made from the shop record and the clock.
// Dates are written in English whatever the system's language, e.g.
// "December 8, 2026  5:05 AM".

#include "ShopRecord.h"

#include <QDateTime>
#include <QString>

namespace quivra::reports {

// CITY, ", ", STATE, `gap`, ZIP; empty when all three are empty.
QString cityLine(const std::string& city, const std::string& state, const std::string& zip,
                 const QString& gap);

// Category reports: "Phone: 555-0100  FAX: 555-0101".
QString shopPhoneLine(const quivra::customers::ShopRecord& shop);
// Customer record footer: "Phone:555-0100  FAX:555-0101".
QString shopFooterPhoneLine(const quivra::customers::ShopRecord& shop);

// The time a report prints now: core::Clock's (tests put a fixed clock).
QDateTime printTime();

// "December 8, 2026  5:05 AM"; empty for an invalid time.
QString printedDateTimeText(const QDateTime& at);
// "Dec 8, 2026"; empty for an invalid time.
QString printedDateText(const QDateTime& at);

}  // namespace quivra::reports
