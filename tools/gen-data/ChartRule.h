#pragma once
// ChartRule: builds the four shaft-size charts from the catalogue.
//
// A chart row stands for a required stiffness: the static spine deflection
// that a shaft should have for every set-up that lands on the row.  One row
// step is one inch of arrow or one weight band, and each step asks for a
// shaft a fixed proportion stiffer (calculators::DemandCurve).  A chart entry names the
// family's shaft whose deflection is nearest to the row's demand, or one of
// its neighbours in the family's stiffness order; a shaft further than the
// tolerance from the demand is not offered and the entry stays empty.
// Because the nearest shaft of a sorted list moves only towards stiffer
// shafts as the demand falls, every entry column is stiffer (or the same) on
// each heavier row.

#include "CsvTable.h"
#include "ShaftModel.h"
#include "SpineDemand.h"

#include <optional>
#include <string>
#include <vector>

namespace quivra::gendata {

enum class ChartKind { Hunt, Targ, Youth, Kstr };

// The demand curves and the tolerance live with the build sheet's spine
// check (calculators/SpineDemand), which evaluates the same rule.
using calculators::DemandCurve;
using calculators::spine::kRecurveFactor;
using calculators::spine::kTolerance;

// Fixed properties of each chart table.
struct ChartShape {
    ChartKind kind;
    const char* csvName;        // file under data/
    const char* dbfName;        // delivered table
    const char* keyField;       // suffix of the second field of an entry: SPINE, MODL, MODEL
    int entries;                // entries per row
    int records;                // records in the table
    int firstValid, lastValid;  // rows a valid search selects
};
const ChartShape& chartShape(ChartKind kind);
const std::vector<ChartKind>& allCharts();

// The page whose chart `kind` is (its demand curve is
// calculators::demandCurve of that page).
selection::Page chartPage(ChartKind kind);

// Widths of the chart fields: every SHnSIZE and every spine/model field.
// With 15-character size fields, cutting a bare size at its first blank
// (the blank and the 14 characters after it go) leaves exactly the size.
inline constexpr int kChartSizeWidth = 15;
inline constexpr int kChartKeyWidth = 10;

struct ChartEntry {
    std::string size;  // "2213", "400", "2014*2113"
    std::string key;   // chart spine or model text
    [[nodiscard]] bool empty() const { return size.empty(); }
};

struct Chart {
    ChartKind kind = ChartKind::Hunt;
    std::vector<std::vector<ChartEntry>> rows;  // rows[recNo - 1][entry - 1]
};

Chart buildChart(ChartKind kind, const std::vector<SpecRecord>& catalogue);

// Records that exist only so that a whole "compound*recurve" text finds the
// recurve shaft: the recurve layout of the Target page reads entry 5 whole.
std::vector<SpecRecord> pairAliases(const Chart& targ, const std::vector<SpecRecord>& catalogue);

CsvTable chartToCsv(const Chart& chart);
std::optional<Chart> chartFromCsv(ChartKind kind, const CsvTable& table, std::string& error);

// Every specification key that the program may seek for a row, as the page
// rules read the entries (size cut at its first blank, compound/recurve parts
// and whole texts, carbon pointers skipped).  Each comes with the slot
// description used in test messages.
struct SeekKey {
    std::string key;
    std::string where;
    bool singleWeight = true;   // the page reads GPI as one number here
    bool targetModels = false;  // the page shows TMODELS (else HMODELS)
};
std::vector<SeekKey> seekKeys(const Chart& chart, int row);

// Compound and recurve parts of a Target entry text.
std::string compoundPart(const std::string& size);
std::string recurvePart(const std::string& size);

}  // namespace quivra::gendata
