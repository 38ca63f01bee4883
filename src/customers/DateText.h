#pragma once
// The date a saved set-up is stamped with.
// Dates are written locale-independently as MM/dd/yyyy, whatever the
// machine's settings, so records saved on different machines read alike.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace quivra::customers {

// Today's local calendar date, read from core::Clock (tests put a fixed one).
std::chrono::year_month_day today();

// The time now (core::Clock) as "yyyyMMddHHmmss", how Quivra's own tables
// stamp a record.
std::string timestampNow();

// "MM/dd/yyyy", e.g. "03/07/2026".  An invalid date gives an empty text.
std::string shortDateText(const std::chrono::year_month_day& date);

// The form an xBase date field (type D) stores: "yyyyMMdd"; empty when invalid.
std::string dateFieldText(const std::chrono::year_month_day& date);

// The calendar date of a stored DATE text, whatever form wrote it: this
// program's "03/07/2026", a D field's "20260307", and the short dates of
// other systems and older copies ("3/7/26", "07.03.2026", "2026-03-07",
// "7-Mar-2026", "March 7, 2026").  Rules for the forms that do not say
// which number is the day:
//   - with "/", month first (the US short date, and ours), unless the first
//     number cannot be a month and the second can;
//   - with "." or "-" and the year last, day first (the European forms),
//     unless the second number cannot be a month;
//   - a year of two digits is 1930 to 2029.
// nullopt for a text that is no date (blank, "n/a", 02/30/2026).
std::optional<std::chrono::year_month_day> parseStoredDate(std::string_view text);

}  // namespace quivra::customers
