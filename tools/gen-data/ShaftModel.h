#pragma once
// ShaftModel: turns the shaft families (families.csv) and the list of shafts
// (shafts.csv) into the records of the shaft catalogue (specs.csv, the source
// of Specs.DBF).
//
// Aluminium shafts are described by their size alone: the first two digits
// are the outside diameter in 64ths of an inch, the last two the wall in
// thousandths.  Their grains per inch follow from the tube's cross-section and
// the alloy's density (plus the family's finish film), their static spine from
// the tube's second moment of area and the alloy's modulus.  Carbon and
// composite shafts are named by their spine number (deflection in thousandths
// of an inch); their grains per inch follow the family's weight curve and
// their outside diameter the wall material's density.

#include "CsvTable.h"

#include <optional>
#include <string>
#include <vector>

namespace quivra::gendata {

// Physical constants of the model; data/README.md documents each one.
namespace shaft {
inline constexpr double kCubicCmPerCubicInch = 16.387064;
inline constexpr double kGrainsPerGram = 15.4323584;
inline constexpr double kPsiPerGpa = 145037.738;
inline constexpr double kSpineLoadLbf = 1.94;  // static spine test load
inline constexpr double kSpineSpanIn = 28.0;   // static spine test span
inline constexpr double kFilmDensity = 1.30;   // g/cm^3 of a film finish
inline constexpr double kCarbonReferenceSpine = 400.0;
}  // namespace shaft

enum class FamilyKind { Aluminum, Carbon, Name };

struct Family {
    std::string code;  // model code shown on the pages ("KV")
    FamilyKind kind = FamilyKind::Aluminum;
    std::string name;        // trade name ("Kivo")
    std::string market;      // Hunting, Target, Youth or Kestra
    double density = 0;      // g/cm^3: alloy, or wall material of carbon shafts
    double modulusGpa = 0;   // aluminium only
    double filmIn = 0;       // aluminium finish film thickness, inches
    double gpi400 = 0;       // carbon: grains per inch at spine 400
    double gpiExponent = 0;  // carbon: GPI = gpi400 * (400 / spine)^exponent
    double insideIn = 0;     // carbon: bore, inches
    std::string arrowType;
    int maxLength = 0;                                      // inches
    int pointWt = 0, nockWt = 0, vaneWt = 0, insertWt = 0;  // grains
    std::string meaning;  // one line for the model guides and legends
};

// One line of shafts.csv.
struct ShaftEntry {
    std::string size;     // aluminium "2213" or carbon spine number "400"
    std::string key;      // second half of the specification key ("M4")
    std::string family;   // family whose material gives spine and first GPI
    std::string family2;  // second family of a two-family entry, else empty
    std::string hmodels;  // model codes on the Hunting and Kestra pages
    std::string tmodels;  // model codes on the Target and Youth pages
};

// One record of Specs.DBF, every field as its text.
struct SpecRecord {
    std::string size, keySpine, spine, hmodels, tmodels, gpi;
    int defPtWt = 0, defNockWt = 0, defVaneWt = 0, defInsWt = 0;
    std::string arrowType, od, id, wall, length;

    [[nodiscard]] std::string key() const { return size + keySpine; }
    // Static spine deflection in inches (the SPINE text), or 0 when unreadable.
    [[nodiscard]] double deflection() const;
    // The first grains-per-inch value (characters 1-4 of a two-value text).
    [[nodiscard]] double firstGpi() const;
    [[nodiscard]] bool twoValueGpi() const { return gpi.size() == 9 && gpi[4] == ','; }
    // True for a record that exists for a whole "compound*recurve" chart text.
    [[nodiscard]] bool isPairAlias() const { return size.find('*') != std::string::npos; }
};

struct AluminumTube {
    double outsideIn = 0, wallIn = 0;
    [[nodiscard]] double insideIn() const { return outsideIn - 2 * wallIn; }
};

// Tube of an aluminium size text ("2213"); nullopt when the text is not four
// digits or gives no bore.
std::optional<AluminumTube> tubeOfSize(const std::string& size);
double aluminumGpi(const AluminumTube& tube, const Family& alloy);
double aluminumDeflection(const AluminumTube& tube, const Family& alloy);
double carbonGpi(double spineNumber, const Family& family);
double carbonOutside(double gpi, const Family& family);
// Grains per inch as a four-character text: "9.60", "10.6".
std::string gpiText(double gpi);

std::optional<std::vector<Family>> familiesFromCsv(const CsvTable& table, std::string& error);
std::optional<std::vector<ShaftEntry>> shaftsFromCsv(const CsvTable& table, std::string& error);
const Family* findFamily(const std::vector<Family>& families, const std::string& code);

// The catalogue in shafts.csv order.  Fails on an unknown family, a size that
// is no tube, or a duplicate key.
std::optional<std::vector<SpecRecord>> buildCatalogue(const std::vector<Family>& families,
                                                      const std::vector<ShaftEntry>& shafts,
                                                      std::string& error);

// specs.csv columns, which are the fields of Specs.DBF in order.
const std::vector<std::string>& specColumns();
CsvTable catalogueToCsv(const std::vector<SpecRecord>& records);
std::optional<std::vector<SpecRecord>> catalogueFromCsv(const CsvTable& table, std::string& error);

}  // namespace quivra::gendata
