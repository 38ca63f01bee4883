#pragma once
// Derive: recomputes the model-made sources in data/ — the catalogue
// (specs.csv) from families.csv and shafts.csv, the four charts from the
// catalogue by the chart rule, and the trajectory table (newtraj.csv) from
// the flight model.  A shop that adds a shaft edits shafts.csv and runs
// `quivra-gen-data derive data`; the build then turns the CSVs into tables.

#include "ChartRule.h"
#include "CsvTable.h"
#include "ShaftModel.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quivra::gendata {

struct DerivedData {
    std::vector<SpecRecord> catalogue;  // shafts.csv order, then pair aliases
    std::vector<Chart> charts;          // in allCharts() order
    CsvTable trajectory;
};

// Computes everything from the two model inputs in `dataDir`.
std::optional<DerivedData> deriveAll(const std::filesystem::path& dataDir, std::string& error);
// Writes specs.csv, the four chart CSVs and newtraj.csv into `dataDir`.
bool writeDerived(const DerivedData& data, const std::filesystem::path& dataDir,
                  std::string& error);

CsvTable trajectoryToCsv();

}  // namespace quivra::gendata
