#pragma once
// SpecsShaftLookup: a catalogue shaft for the build sheet, read from
// Specs.DBF through specs.idx in the data folder.  The one place quivra-build
// reads the catalogue; it gives way to the program's shared catalogue reader.

#include "ShaftRecord.h"
#include "Status.h"

#include <filesystem>
#include <string>

namespace quivra::tools {

// The record of specification key `key` ("2213M4", "400CH").  Fails with the
// reason (table missing or damaged, key not in the catalogue, a SPINE, GPI
// or OD text that is not a number).
storage::Result<calculators::ShaftRecord> lookUpShaft(const std::filesystem::path& dataDir,
                                                      const std::string& key);

}  // namespace quivra::tools
