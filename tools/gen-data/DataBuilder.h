#pragma once
// DataBuilder: writes the delivered tables and text files of the run folder
// from the sources in data/ (see data/README.md for every file and field).
//
// Reference tables (catalogue, charts, trajectory) and invsel.txt are
// rewritten when their content changes.  The shop's own tables (SHOPINFO.DBF,
// Saveddb.dbf with its memo and Saved.idx) are written only where missing.

#include "ChartRule.h"
#include "RunFolderInstaller.h"
#include "ShaftModel.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quivra::gendata {

// Key expression of specs.idx: the trimmed size followed by the key text.
inline constexpr const char* kSpecsKeyExpression = "TRIM(SIZE)+KEYSPINE";
// Key expression of Saved.idx.
inline constexpr const char* kSavedKeyExpression = "NAME";

class DataBuilder {
public:
    // `stagingDir` must lie inside `runDir`; it is created and filled here.
    DataBuilder(std::filesystem::path dataDir, std::filesystem::path runDir,
                std::filesystem::path stagingDir);

    // Reads and checks the sources, stages every file and installs it.
    // Returns false with a message naming the file on the first failure.
    bool run(RunFolderInstaller& installer, std::string& error);

    // Notes for the user (e.g. an existing Saved.idx rebuilt), one per line.
    [[nodiscard]] const std::vector<std::string>& notes() const { return m_notes; }

private:
    bool stageCatalogue(std::vector<SpecRecord>& catalogue, std::string& error);
    bool stageCharts(const std::vector<SpecRecord>& catalogue, std::string& error);
    bool stageTrajectory(std::string& error);
    bool stageShopTables(std::string& error);
    bool stageInvalidSelection(std::string& error);
    bool installAll(RunFolderInstaller& installer, std::string& error);
    bool ensureSavedIndex(std::string& error);

    std::filesystem::path m_data, m_run, m_staging;
    std::vector<std::filesystem::path> m_reference;  // staged reference files
    std::vector<std::filesystem::path> m_shop;       // staged shop files
    std::vector<std::string> m_notes;
};

}  // namespace quivra::gendata
