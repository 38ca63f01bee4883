#pragma once
// A shaft catalogue (Specs.DBF with its index specs.idx) with the fields of
// the delivered one (a little wider, for long test texts), written through
// the table store, for the tests of every library that reads the catalogue.

#include "Status.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quivra::storage::test {

struct CatalogueRow {
    std::string size;
    std::string keyText;  // KEYSPINE: the key is the trimmed size + keyText
    std::string spine;
    std::string hmodels;
    std::string tmodels;
    std::string gpi;
    std::string point = "";  // DEFPTWT, DEFNOCKWT, DEFVANEWT, DEFINSWT (blank reads 0)
    std::string nock = "";
    std::string vane = "";
    std::string insert = "";
    std::string type = "";  // ARROWTYPE
    std::string outside = "";
    std::string inside = "";
    std::string wall = "";
    std::string length = "";
};

// Writes Specs.DBF and specs.idx (key TRIM(SIZE)+KEYSPINE) into `dir`,
// replacing what is there.  Empty texts leave their field blank.
Status writeCatalogue(const std::filesystem::path& dir, const std::vector<CatalogueRow>& rows);

}  // namespace quivra::storage::test
