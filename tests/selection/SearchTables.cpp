#include "SearchTables.h"

#include "CatalogueTable.h"

#include "TableStore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <random>

namespace quivra::selection::test {

namespace {

using storage::FieldSpec;
using storage::TableStore;

const char* chartFile(Page page) {
    switch (page) {
        case Page::Hunt:
            return "HUNTCHRT.DBF";
        case Page::Targ:
            return "Targchrt.dbf";
        case Page::Youth:
            return "YouthChrt.dbf";
        case Page::Kstr:
            return "KSTRCHRT.dbf";
    }
    return "";
}

int entryCount(Page page) {
    static constexpr int kCounts[] = {16, 14, 8, 6};
    return kCounts[static_cast<int>(page)];
}

const char* keySuffix(Page page) {
    switch (page) {
        case Page::Youth:
            return "MODL";
        case Page::Kstr:
            return "MODEL";
        default:
            return "SPINE";
    }
}

std::filesystem::path makeTempDir() {
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        auto dir =
            base / ("quivra-selection-" + std::to_string(rd()) + "-" + std::to_string(counter++));
        if (std::filesystem::create_directory(dir)) return dir;
    }
}

}  // namespace

SearchTables::SearchTables() : m_dir(makeTempDir()) {
    writeMessage(kMessage);
}

SearchTables::~SearchTables() {
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
}

void SearchTables::writeChart(Page page, const ChartRows& rows, int records, int sizeWidth) const {
    const int entries = entryCount(page);
    std::vector<FieldSpec> fields;
    for (int n = 1; n <= entries; ++n) {
        fields.push_back(
            {"SH" + std::to_string(n) + "SIZE", 'C', static_cast<std::uint8_t>(sizeWidth), 0});
        fields.push_back({"SH" + std::to_string(n) + keySuffix(page), 'C', 8, 0});
    }
    const auto file = m_dir / chartFile(page);
    ASSERT_TRUE(TableStore::create(file, fields, storage::CodePage::Cp1252, true).isOk());
    TableStore table(file);
    ASSERT_TRUE(table.open().isOk());
    for (int record = 1; record <= records; ++record) {
        ASSERT_TRUE(table.appendBlank().isOk());
        if (const auto it = rows.find(record); it != rows.end()) {
            for (std::size_t i = 0; i < it->second.size(); ++i) {
                const std::string n = std::to_string(i + 1);
                const ChartEntry& e = it->second[i];
                ASSERT_TRUE(table.setFieldText("SH" + n + "SIZE", e.size).isOk());
                ASSERT_TRUE(table.setFieldText("SH" + n + keySuffix(page), e.key).isOk());
            }
        }
        const storage::Status posted = table.post();
        ASSERT_TRUE(posted.isOk()) << posted.message();
    }
}

void SearchTables::writeSpecs(const std::vector<SpecRow>& rows) const {
    std::vector<storage::test::CatalogueRow> catalogue;
    for (const SpecRow& r : rows) {
        catalogue.push_back({r.size, r.keyText, r.spine, r.hmodels, r.tmodels, r.gpi});
    }
    const storage::Status written = storage::test::writeCatalogue(m_dir, catalogue);
    ASSERT_TRUE(written.isOk()) << written.message();
}

void SearchTables::writeAllEmpty() const {
    for (const Page page : {Page::Hunt, Page::Targ, Page::Youth, Page::Kstr}) {
        ASSERT_NO_FATAL_FAILURE(writeChart(page, {}));
    }
    ASSERT_NO_FATAL_FAILURE(writeSpecs({{"100", "XX", "1.0", "A", "A", "1.0"}}));
}

void SearchTables::writeMessage(std::string_view firstLine) const {
    std::ofstream out(m_dir / "invsel.txt", std::ios::binary | std::ios::trunc);
    out << firstLine << "\r\nsecond line is never shown\r\n";
}

void SearchTables::removeMessage() const {
    std::filesystem::remove(m_dir / "invsel.txt");
}

}  // namespace quivra::selection::test
