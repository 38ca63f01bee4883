#pragma once
// Scratch folders and small files for the data-folder tests.

#include "TempDir.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace quivra::datafolder::test {

// A fresh folder per test, removed afterwards (the shared test helpers' own).
using Scratch = storage::test::TempDir;

inline void writeFile(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

inline std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A new release of a file: other content and a later time, as a package
// upgrade leaves it.
inline void upgradeFile(const std::filesystem::path& file, const std::string& text) {
    writeFile(file, text);
    std::filesystem::last_write_time(
        file, std::filesystem::last_write_time(file) + std::chrono::hours(24));
}

// An installed reference folder: the five tables, a text, a picture, and
// the shop's files in their first state.
inline void makeInstalled(const std::filesystem::path& dir) {
    for (const char* table :
         {"HUNTCHRT.DBF", "Targchrt.dbf", "YouthChrt.dbf", "KSTRCHRT.dbf", "Specs.DBF"}) {
        writeFile(dir / table, std::string("chart ") + table);
    }
    writeFile(dir / "specs.idx", "specs index v1");
    writeFile(dir / "invsel.txt", "Invalid selection v1\n");
    writeFile(dir / "pictures" / "splash.jpg", "splash v1");
    writeFile(dir / "Saveddb.dbf", "empty saved set-ups");
    writeFile(dir / "Saveddb.fpt", "empty memo");
    writeFile(dir / "Saved.idx", "empty name index");
    writeFile(dir / "SHOPINFO.DBF", "Your Shop Name");
}

}  // namespace quivra::datafolder::test
