#pragma once
// --report FILE.pdf: the category report of the search's active page, written
// as a PDF file with the shop record delivered in the data folder.

#include "SearchOutcome.h"

#include <filesystem>
#include <optional>
#include <string>

namespace quivra::tools {

// Writes the report of `outcome` to `pdfPath`, the shop record read from
// SHOPINFO.DBF in `dataDir`.  Gives the text of the error, or nothing.
std::optional<std::string> writeReportFile(const selection::SearchOutcome& outcome,
                                           const std::filesystem::path& dataDir,
                                           const std::filesystem::path& pdfPath,
                                           const char* programPath);

}  // namespace quivra::tools
