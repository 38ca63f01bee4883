#pragma once
// ShaftRecord: what the build sheet needs to know of a catalogue shaft.  The
// caller looks the shaft up (its specification key, as the grids show it)
// and passes the record in; the rules never read tables themselves.

#include <optional>
#include <string>

namespace quivra::calculators {

struct ShaftRecord {
    std::string key;             // specification key: size followed by the chart key ("2213M4")
    std::string size;            // "2213", "400"
    std::string models;          // model codes ("KV,M4")
    double spineIn = 0.0;        // static spine: deflection in inches
    double grainsPerInch = 0.0;  // the builder's value (the M4 one of a two-family tube)
    std::optional<double> outsideDiameterIn;  // unknown: the reference arrow's 0.300
};

}  // namespace quivra::calculators
