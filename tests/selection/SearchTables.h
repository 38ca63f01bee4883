#pragma once
// SearchTables: a data folder in a temporary directory with small charts, a
// specification table with its index and invsel.txt, written through the
// table store as the delivered files are.

#include "SelectionInputs.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::selection::test {

// One chart entry: a size and the text that completes its specification key
// (SHnSPINE on Hunting and Target, SHnMODL on Youth, SHnMODEL on Kestra).
struct ChartEntry {
    std::string size;
    std::string key;
};
// Entry n of a row is element n - 1; missing or empty entries stay blank.
using ChartRows = std::map<int, std::vector<ChartEntry>>;

struct SpecRow {
    std::string size;
    std::string keyText;  // chart spine or model: the key is size + keyText
    std::string spine;
    std::string hmodels;
    std::string tmodels;
    std::string gpi;
};

inline constexpr const char* kMessage = "Invalid selection: please check your set-up.";

class SearchTables {
public:
    SearchTables();  // empty folder with invsel.txt holding kMessage
    ~SearchTables();
    SearchTables(const SearchTables&) = delete;
    SearchTables& operator=(const SearchTables&) = delete;

    [[nodiscard]] const std::filesystem::path& dir() const { return m_dir; }

    // Writes the chart of `page` with `records` records (rows beyond those
    // given are blank).  Use inside ASSERT_NO_FATAL_FAILURE.
    void writeChart(Page page, const ChartRows& rows, int records = 22, int sizeWidth = 14) const;
    // Writes Specs.DBF and specs.idx (key: TRIM(SIZE) + KEYSPINE).
    void writeSpecs(const std::vector<SpecRow>& rows) const;
    // Writes the four charts empty and a one-record Specs.DBF.
    void writeAllEmpty() const;
    void writeMessage(std::string_view firstLine) const;
    void removeMessage() const;

private:
    std::filesystem::path m_dir;
};

}  // namespace quivra::selection::test
