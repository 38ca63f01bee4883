#pragma once
// The date a saved set-up is stamped with.
// Dates are written locale-independently as MM/dd/yyyy, whatever the
// machine's settings, so records saved on different machines read alike.

#include <chrono>
#include <string>

namespace quivra::customers {

// Today's local calendar date, read from core::Clock (tests put a fixed one).
std::chrono::year_month_day today();

// "MM/dd/yyyy", e.g. "03/07/2026".  An invalid date gives an empty text.
std::string shortDateText(const std::chrono::year_month_day& date);

// The form an xBase date field (type D) stores: "yyyyMMdd"; empty when invalid.
std::string dateFieldText(const std::chrono::year_month_day& date);

}  // namespace quivra::customers
