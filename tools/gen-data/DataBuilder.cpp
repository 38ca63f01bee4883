#include "DataBuilder.h"

#include "CsvTable.h"
#include "Numbers.h"
#include "TableStore.h"

#include <fstream>
#include <map>

namespace quivra::gendata {

namespace st = quivra::storage;

namespace {

st::FieldSpec charField(std::string name, int width) {
    return {std::move(name), 'C', static_cast<std::uint8_t>(width), 0};
}
st::FieldSpec numField(std::string name, int width) {
    return {std::move(name), 'N', static_cast<std::uint8_t>(width), 0};
}

// Creates `file` and appends `rows`, each a value per field in order.
bool writeTable(const std::filesystem::path& file, const std::vector<st::FieldSpec>& fields,
                const std::vector<std::vector<std::string>>& rows, std::string& error) {
    if (st::Status s = st::TableStore::create(file, fields, st::CodePage::Cp1252, true); !s) {
        error = s.message();
        return false;
    }
    st::TableStore table(file);
    if (st::Status s = table.open(); !s) {
        error = s.message();
        return false;
    }
    for (const auto& row : rows) {
        st::Status s = table.appendBlank();
        for (std::size_t i = 0; s && i < fields.size() && i < row.size(); ++i)
            s = table.setFieldText(fields[i].name, row[i]);
        if (s) s = table.post();
        if (!s) {
            error = file.filename().string() + ": " + s.message();
            return false;
        }
    }
    table.close();
    return true;
}

bool readCsv(const std::filesystem::path& file, CsvTable& out, std::string& error) {
    auto t = CsvTable::read(file, error);
    if (!t) return false;
    out = *t;
    return true;
}

}  // namespace

DataBuilder::DataBuilder(std::filesystem::path dataDir, std::filesystem::path runDir,
                         std::filesystem::path stagingDir)
    : m_data(std::move(dataDir)), m_run(std::move(runDir)), m_staging(std::move(stagingDir)) {}

bool DataBuilder::run(RunFolderInstaller& installer, std::string& error) {
    std::error_code ec;
    std::filesystem::remove_all(m_staging, ec);
    std::filesystem::create_directories(m_staging, ec);
    if (ec) {
        error = m_staging.string() + ": cannot be created: " + ec.message();
        return false;
    }
    std::vector<SpecRecord> catalogue;
    return stageCatalogue(catalogue, error) && stageCharts(catalogue, error) &&
           stageTrajectory(error) && stageInvalidSelection(error) && stageShopTables(error) &&
           installAll(installer, error) && ensureSavedIndex(error);
}

bool DataBuilder::stageCatalogue(std::vector<SpecRecord>& catalogue, std::string& error) {
    CsvTable csv;
    if (!readCsv(m_data / "specs.csv", csv, error)) return false;
    auto records = catalogueFromCsv(csv, error);
    if (!records) return false;
    catalogue = *records;
    const std::vector<st::FieldSpec> fields = {
        charField("SIZE", 15),    charField("KEYSPINE", 10),  charField("SPINE", 5),
        charField("HMODELS", 12), charField("TMODELS", 12),   charField("GPI", 9),
        numField("DEFPTWT", 4),   numField("DEFNOCKWT", 4),   numField("DEFVANEWT", 4),
        numField("DEFINSWT", 4),  charField("ARROWTYPE", 30), charField("OD", 8),
        charField("ID", 8),       charField("WALL", 8),       charField("LENGTH", 4)};
    for (std::size_t r = 0; r < csv.rowCount(); ++r) {
        for (const auto& f : fields) {
            if (csv.value(r, f.name).size() > f.length) {
                error = "specs.csv, record " + std::to_string(r + 1) + ": " + f.name +
                        " is longer than its field (" + std::to_string(f.length) + ")";
                return false;
            }
        }
    }
    std::vector<std::vector<std::string>> rows(csv.rows().begin(), csv.rows().end());
    const auto table = m_staging / "Specs.DBF";
    if (!writeTable(table, fields, rows, error)) return false;
    st::TableStore store(table);
    st::Status s = store.open();
    if (s) s = store.createIndex(m_staging / "specs.idx", kSpecsKeyExpression);
    if (!s) {
        error = "specs.idx: " + s.message();
        return false;
    }
    store.close();
    m_reference.emplace_back("Specs.DBF");
    m_reference.emplace_back("specs.idx");
    return true;
}

bool DataBuilder::stageCharts(const std::vector<SpecRecord>& catalogue, std::string& error) {
    std::map<std::string, const SpecRecord*> byKey;
    for (const auto& r : catalogue) byKey[r.key()] = &r;
    for (ChartKind kind : allCharts()) {
        const ChartShape& shape = chartShape(kind);
        CsvTable csv;
        if (!readCsv(m_data / shape.csvName, csv, error)) return false;
        auto chart = chartFromCsv(kind, csv, error);
        if (!chart) return false;
        // A chart entry that finds no shaft would end the page's search with
        // a conversion error; refuse it here, where it can be mended.
        for (int row = 1; row <= static_cast<int>(chart->rows.size()); ++row) {
            for (const SeekKey& k : seekKeys(*chart, row)) {
                auto it = byKey.find(k.key);
                if (it == byKey.end()) {
                    error = std::string(shape.csvName) + ": " + k.where + ": no shaft '" + k.key +
                            "' in specs.csv";
                    return false;
                }
                // The page converts GPI as two values only in the slots and
                // for the model text it tests; anywhere else a two-value
                // text stops the search with a conversion error.
                const SpecRecord& r = *it->second;
                const std::string& models = k.targetModels ? r.tmodels : r.hmodels;
                const bool twoValues =
                    !k.singleWeight && models == (k.targetModels ? "ZP,M4" : "KV,M4");
                if (twoValues != r.twoValueGpi()) {
                    error = std::string(shape.csvName) + ": " + k.where + ": shaft '" + k.key +
                            "' has GPI '" + r.gpi + "', which this slot cannot read";
                    return false;
                }
            }
        }
        std::vector<st::FieldSpec> fields;
        for (int n = 1; n <= shape.entries; ++n) {
            fields.push_back(charField("SH" + std::to_string(n) + "SIZE", kChartSizeWidth));
            fields.push_back(charField("SH" + std::to_string(n) + shape.keyField, kChartKeyWidth));
        }
        std::vector<std::vector<std::string>> rows;
        for (const auto& line : csv.rows()) rows.emplace_back(line.begin() + 1, line.end());
        if (!writeTable(m_staging / shape.dbfName, fields, rows, error)) return false;
        m_reference.emplace_back(shape.dbfName);
    }
    return true;
}

bool DataBuilder::stageTrajectory(std::string& error) {
    CsvTable csv;
    if (!readCsv(m_data / "newtraj.csv", csv, error)) return false;
    if (csv.rowCount() != 245) {
        error = "newtraj.csv: 245 records expected, found " + std::to_string(csv.rowCount());
        return false;
    }
    std::vector<std::vector<std::string>> rows;
    for (std::size_t r = 0; r < csv.rowCount(); ++r)
        rows.push_back({csv.value(r, "VEL"), csv.value(r, "LOW"), csv.value(r, "HIGH")});
    if (!writeTable(m_staging / "Newtraj.dbf",
                    {numField("VEL", 3), numField("LOW", 3), numField("HIGH", 3)}, rows, error))
        return false;
    m_reference.emplace_back("Newtraj.dbf");
    return true;
}

bool DataBuilder::stageInvalidSelection(std::string& error) {
    std::ifstream in(m_data / "invsel.txt", std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line) || trimmed(line).empty()) {
        error = (m_data / "invsel.txt").string() + ": missing or empty";
        return false;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 150) {
        error = "invsel.txt: the first line is shown only up to 150 characters";
        return false;
    }
    if (!writeFileAtomically(m_staging / "invsel.txt", line + "\n", error)) return false;
    m_reference.emplace_back("invsel.txt");
    return true;
}

bool DataBuilder::stageShopTables(std::string& error) {
    std::error_code ec;
    if (!std::filesystem::exists(m_run / "SHOPINFO.DBF", ec)) {
        CsvTable csv;
        if (!readCsv(m_data / "shopinfo.csv", csv, error)) return false;
        const std::vector<st::FieldSpec> fields = {
            charField("NAME", 30),    charField("ADDR1", 30),    charField("ADDR2", 30),
            charField("CITY", 18),    charField("STATE", 10),    charField("ZIP", 10),
            charField("COUNTRY", 12), charField("COMMENTS", 60), charField("PHONE", 20),
            charField("FAX", 20)};
        std::vector<std::vector<std::string>> rows;
        for (std::size_t r = 0; r < csv.rowCount(); ++r) {
            std::vector<std::string> row;
            row.reserve(fields.size());
            for (const auto& f : fields) row.push_back(csv.value(r, f.name));
            rows.push_back(row);
        }
        if (!writeTable(m_staging / "SHOPINFO.DBF", fields, rows, error)) return false;
        m_shop.emplace_back("SHOPINFO.DBF");
    }
    const bool haveTable = std::filesystem::exists(m_run / "Saveddb.dbf", ec);
    const bool haveMemo = std::filesystem::exists(m_run / "Saveddb.fpt", ec);
    if (!haveTable && haveMemo) {
        // A memo file without its table may still hold a shop's comments:
        // leave it alone rather than pair it with a new table.
        m_notes.emplace_back(
            "Saveddb.fpt exists without Saveddb.dbf: left alone, no saved-setups "
            "table written");
        return true;
    }
    if (haveTable) return true;
    const std::vector<st::FieldSpec> fields = {
        charField("NAME", 30),    charField("ADDR1", 30), charField("ADDR2", 30),
        charField("CITY", 20),    charField("STATE", 10), charField("ZIP", 10),
        charField("COUNTRY", 20), charField("CCODE", 10), {"COMMENTS", 'M', 10, 0},
        charField("DATE", 10),    charField("HORT", 1),   charField("BOWWT", 4),
        charField("ARLEN", 4),    charField("PNTWT", 4),  charField("BOTYP", 1),
        charField("WHTYP", 1),    charField("RETYP", 1),  charField("BOLEN", 1),
        charField("ODLEN", 1)};
    if (!writeTable(m_staging / "Saveddb.dbf", fields, {}, error)) return false;
    st::TableStore saved(m_staging / "Saveddb.dbf");
    st::Status s = saved.open();
    if (s) s = saved.createIndex(m_staging / "Saved.idx", kSavedKeyExpression);
    if (!s) {
        error = "Saved.idx: " + s.message();
        return false;
    }
    saved.close();
    m_shop.emplace_back("Saveddb.dbf");
    m_shop.emplace_back("Saveddb.fpt");
    m_shop.emplace_back("Saved.idx");
    return true;
}

bool DataBuilder::installAll(RunFolderInstaller& installer, std::string& error) {
    for (const auto& f : m_reference)
        if (!installer.installReference(f, error)) return false;
    // The table goes in last, so that a failure half-way never leaves a
    // table whose memo file or index is missing.
    // (std::ranges::reverse_view is beyond clang-tidy 14 with this library.)
    for (auto it = m_shop.rbegin(); it != m_shop.rend(); ++it)  // NOLINT(modernize-loop-convert)
        if (!installer.installIfMissing(*it, error)) return false;
    return true;
}

bool DataBuilder::ensureSavedIndex(std::string& /*error*/) {
    std::error_code ec;
    if (!std::filesystem::exists(m_run / "Saveddb.dbf", ec) ||
        std::filesystem::exists(m_run / "Saved.idx", ec))
        return true;
    // The shop's table is only read here.  A failure is reported, not
    // fatal: a damaged table of the shop must not stop the build.
    st::TableStore saved(m_run / "Saveddb.dbf");
    st::Status s = saved.open();
    if (s) s = saved.createIndex(m_run / "Saved.idx", kSavedKeyExpression);
    saved.close();
    m_notes.push_back(s ? "Saved.idx was missing: rebuilt from the existing Saveddb.dbf"
                        : "Saved.idx is missing and could not be rebuilt: " + s.message());
    return true;
}

}  // namespace quivra::gendata
