#pragma once
// ShaftCatalogue: the shaft catalogue Specs.DBF, read through its index
// specs.idx.  One record per shaft size and key text; the key sought on the
// index is the trimmed size immediately followed by the key text (KEYSPINE),
// for example "2213" + "400".
//
// Fields (character unless noted):
//   SIZE      shaft size as shown, e.g. "2213"
//   KEYSPINE  second half of the key (chart spine or model code)
//   SPINE     spine deflection at 29 inches, e.g. "0.400"
//   HMODELS   model codes shown on the Hunting and Kestra pages, e.g. "KV,M4"
//   TMODELS   model codes shown on the Target and Youth pages
//   GPI       grains per inch; a combined aluminium row holds two numbers,
//             the first family's in characters 1-4 and the M4 alloy's in
//             characters 6-9 ("8.36,8.55")
//   DEFPTWT, DEFNOCKWT, DEFVANEWT, DEFINSWT (numeric)  default point, nock,
//             fletching and insert weights in grains
//   ARROWTYPE, OD, ID, WALL, LENGTH  shaft type, outside and inside
//             diameter and wall thickness (inches, with an inch mark), and
//             the longest shaft made (inches)
//
// Plain C++ on the table store.  Not thread-safe; the catalogue owns its
// read-only handle on the table and keeps it open for its own life.

#include "Status.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace quivra::storage {
class TableStore;
}

namespace quivra::catalogue {

inline constexpr const char* kTableFile = "Specs.DBF";
inline constexpr const char* kIndexFile = "specs.idx";

// The two grains-per-inch texts of a combined row: characters 1-4 and 6-9 of
// the GPI text (either may be shorter or empty when the text is).
struct FamilyGpi {
    std::string_view first;
    std::string_view second;
};
FamilyGpi splitFamilies(std::string_view gpiText);

// True when characters 3 to 5 of a models text are ",M4": the builder's test
// for a combined aluminium row, whose shaft it weighs as the M4 alloy.
bool isTwoFamilyModels(std::string_view models);

// The bare-shaft weight caption of the result grid: gpi x length + 0.5
// written with up to 15 significant digits (shortest form, exponent only
// where %g would use one), then the "." and at most 15 characters after it
// deleted.  That is the weight rounded half up to whole grains: 9.3 x 30
// gives "279", 8.5 x 29 gives "247".
std::string bareShaftWeightText(double gpi, double length);

// One catalogue record.  Texts are as stored (padded with blanks), except
// the descriptive texts, which are trimmed.  A key that is not in the
// catalogue gives found == false with every text blank and every number 0,
// which is what the table shows at its end.
struct ShaftRecord {
    bool found = false;
    std::string size;     // SIZE
    std::string spine;    // SPINE
    std::string hmodels;  // HMODELS
    std::string tmodels;  // TMODELS
    std::string gpi;      // GPI

    // Read by fullRecord() only.
    std::string keySpine;   // KEYSPINE, trimmed
    std::string arrowType;  // ARROWTYPE, trimmed
    std::string maxLength;  // LENGTH, trimmed
    std::string outside;    // OD, trimmed
    std::string inside;     // ID, trimmed
    std::string wall;       // WALL, trimmed
    double defaultPoint = 0.0;
    double defaultNock = 0.0;
    double defaultFletching = 0.0;
    double defaultInsert = 0.0;

    // The outside diameter in inches, when OD holds a number (an inch mark
    // after it is allowed).
    [[nodiscard]] std::optional<double> outsideDiameter() const;
};

class ShaftCatalogue {
public:
    // `dataDir` holds Specs.DBF and specs.idx; nothing is opened yet.
    explicit ShaftCatalogue(const std::filesystem::path& dataDir);
    ~ShaftCatalogue();
    ShaftCatalogue(const ShaftCatalogue&) = delete;
    ShaftCatalogue& operator=(const ShaftCatalogue&) = delete;

    // Opens the table and selects specs.idx on it; an open catalogue is
    // left as it is.  find() and fullRecord() open it themselves.
    storage::Status open();
    [[nodiscard]] const std::filesystem::path& tablePath() const;

    // The search fields (SIZE, SPINE, HMODELS, TMODELS, GPI) of the record
    // whose key begins with `key`.  Records are kept once read: the catalogue
    // is reference data the program never writes.  The pointer stays valid
    // for the catalogue's life.
    storage::Result<const ShaftRecord*> find(const std::string& key);

    // Every field of the record, descriptive texts and default weights
    // included (a table without those fields fails here, not in find()).
    storage::Result<ShaftRecord> fullRecord(const std::string& key);

private:
    storage::Result<bool> seek(const std::string& key);
    using TextField = std::pair<const char*, std::string*>;
    // Reads each field's text into its target, trimmed or as stored.
    storage::Status readTexts(std::span<const TextField> fields, bool trimmed);
    storage::Status readSearchFields(ShaftRecord& record);

    std::filesystem::path m_indexPath;
    std::unique_ptr<storage::TableStore> m_table;
    std::unordered_map<std::string, ShaftRecord> m_records;
};

}  // namespace quivra::catalogue
