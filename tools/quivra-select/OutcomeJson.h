#pragma once
// The JSON that quivra-select prints: what a user sees after one search.

#include "SearchOutcome.h"

#include <string>

namespace quivra::tools {

// The whole screen of the search: page, runs (outer first, then nested),
// invalid-selection messages, the inputs after the search, the active page's
// slots, the Target hidden spine labels, the set-up controls and any data
// faults ("errors").
std::string outcomeJson(const selection::SearchOutcome& outcome);

// {"error":"<text>"}
std::string errorJson(const std::string& text);

}  // namespace quivra::tools
