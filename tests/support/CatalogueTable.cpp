#include "CatalogueTable.h"

#include "TableStore.h"

#include <utility>

namespace quivra::storage::test {

Status writeCatalogue(const std::filesystem::path& dir, const std::vector<CatalogueRow>& rows) {
    const std::vector<FieldSpec> fields = {
        {"SIZE", 'C', 15, 0},    {"KEYSPINE", 'C', 10, 0},  {"SPINE", 'C', 8, 0},
        {"HMODELS", 'C', 20, 0}, {"TMODELS", 'C', 20, 0},   {"GPI", 'C', 10, 0},
        {"DEFPTWT", 'N', 4, 0},  {"DEFNOCKWT", 'N', 4, 0},  {"DEFVANEWT", 'N', 4, 0},
        {"DEFINSWT", 'N', 4, 0}, {"ARROWTYPE", 'C', 30, 0}, {"OD", 'C', 8, 0},
        {"ID", 'C', 8, 0},       {"WALL", 'C', 8, 0},       {"LENGTH", 'C', 4, 0},
    };
    const std::filesystem::path file = dir / "Specs.DBF";
    if (Status s = TableStore::create(file, fields, CodePage::Cp1252, true); !s) return s;
    TableStore table(file);
    if (Status s = table.open(); !s) return s;
    for (const CatalogueRow& row : rows) {
        if (Status s = table.appendBlank(); !s) return s;
        const std::pair<const char*, const std::string*> values[] = {
            {"SIZE", &row.size},       {"KEYSPINE", &row.keyText}, {"SPINE", &row.spine},
            {"HMODELS", &row.hmodels}, {"TMODELS", &row.tmodels},  {"GPI", &row.gpi},
            {"DEFPTWT", &row.point},   {"DEFNOCKWT", &row.nock},   {"DEFVANEWT", &row.vane},
            {"DEFINSWT", &row.insert}, {"ARROWTYPE", &row.type},   {"OD", &row.outside},
            {"ID", &row.inside},       {"WALL", &row.wall},        {"LENGTH", &row.length},
        };
        for (const auto& [field, value] : values) {
            if (value->empty()) continue;
            if (Status s = table.setFieldText(field, *value); !s) return s;
        }
        if (Status s = table.post(); !s) return s;
    }
    return table.createIndex(dir / "specs.idx", "TRIM(SIZE)+KEYSPINE");
}

}  // namespace quivra::storage::test
