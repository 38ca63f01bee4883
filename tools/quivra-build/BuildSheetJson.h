#pragma once
// The build sheet as the JSON object quivra-build prints.  Numbers are
// unrounded (the shortest text that reads back as the same double); absent
// figures are null.
//
//   {"arrow_weight", "gpp", "speed":{"rule","energy"}, "ke":{"ft_lb","class"},
//    "momentum":{"slug_ft_s","class"}, "foc",
//    "spine":{"required","shaft","margin_percent","verdict","row","on_chart"},
//    "downrange":[{"yards","fps","ke","momentum","drop_in","time_s"}],
//    "warnings":[...], "balance_in", "balance_estimated",
//    "pin_gaps":[{"from","to","gap_in"}], "metric":{"m_s","j","kg_m_s","g"}}

#include "BuildSheet.h"

#include <string>
#include <string_view>

namespace quivra::tools {

// Precondition: sheet.ok().
std::string buildSheetJson(const calculators::BuildSheet& sheet);

// {"error":"<message>"}
std::string buildErrorJson(std::string_view message);

}  // namespace quivra::tools
