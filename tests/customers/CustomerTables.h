#pragma once
// Test helpers: a scratch data folder with the customer tables made fresh by
// the table store, so every test starts from files it knows.

#include "CustomerAddress.h"
#include "SavedBuild.h"
#include "SetupCodes.h"
#include "Status.h"
#include "TempDir.h"
#include "TestTables.h"

#include <filesystem>
#include <string>

namespace quivra::customers::test {

// A new empty folder under the system's temporary folder, removed with the object.
using ScratchDir = storage::test::TempDir;
using storage::test::readFile;

// Saveddb.dbf with the 19 fields (DATE as C(10), or as a D field when
// `dateField` is set) and Saved.idx on NAME, both empty.
storage::Status createSavedTables(const std::filesystem::path& dir, bool dateField = false);

// SHOPINFO.DBF with its 10 fields; with `withRecord` it holds one record
// whose fields are "<FIELD> value" (COUNTRY "USA").
storage::Status createShopTable(const std::filesystem::path& dir, bool withRecord);

// A complete address named `name`.
CustomerAddress addressNamed(const std::string& name);

// The codes of a hunting set-up as saved with the defaults of the main window.
SetupCodes huntingCodes();

// An arrow built on the build sheet: 340CH cut to 29 in, every figure set
// and exact in the fields of Builds.dbf.
SavedBuild sampleBuild();

}  // namespace quivra::customers::test
