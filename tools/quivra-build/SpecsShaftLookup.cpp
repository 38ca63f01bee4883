#include "SpecsShaftLookup.h"

#include "ArrowWeight.h"
#include "NumberText.h"
#include "TableStore.h"

#include <utility>

namespace quivra::tools {

namespace {

storage::Result<std::string> field(const storage::TableStore& specs, const char* name) {
    storage::Result<std::string> text = specs.fieldText(name);
    if (!text) return text.status();
    return std::string(core::trimBlanks(*text));
}

}  // namespace

storage::Result<calculators::ShaftRecord> lookUpShaft(const std::filesystem::path& dataDir,
                                                      const std::string& key) {
    storage::TableStore specs(dataDir / "Specs.DBF");
    if (storage::Status s = specs.open(); !s) return s;
    if (storage::Status s = specs.selectIndex(dataDir / "specs.idx"); !s) return s;
    const storage::Result<bool> found = specs.seek(key);
    if (!found) return found.status();
    std::string size, keySpine, models, spine, gpi, od;
    const std::pair<const char*, std::string*> fields[] = {
        {"SIZE", &size},   {"KEYSPINE", &keySpine}, {"HMODELS", &models},
        {"SPINE", &spine}, {"GPI", &gpi},           {"OD", &od}};
    for (const auto& [name, out] : fields) {
        storage::Result<std::string> text = field(specs, name);
        if (!text) return text.status();
        *out = *text;
    }
    // The index key is the trimmed size followed by the key text; a seek
    // that stops on another record did not find this key.
    if (!*found || size + keySpine != key) {
        return storage::Status::notFound("the shaft " + key + " is not in the catalogue");
    }
    calculators::ShaftRecord r;
    r.key = key;
    r.size = size;
    r.models = models;
    if (!od.empty() && od.back() == '"') od.pop_back();

    const auto spineIn = core::parseDecimal(spine);
    // The arrow weight builder's reading: the M4 value of a two-family tube.
    const details::Converted perInch = details::grainsPerInch(r.models, gpi);
    if (!spineIn || !perInch.value) {
        return storage::Status::conversion("the shaft " + key + " has SPINE '" + spine +
                                           "' and GPI '" + gpi + "': not numbers");
    }
    r.spineIn = *spineIn;
    r.grainsPerInch = *perInch.value;
    if (const auto diameter = core::parseDecimal(od)) r.outsideDiameterIn = *diameter;
    return r;
}

}  // namespace quivra::tools
