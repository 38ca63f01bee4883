#pragma once
// Helpers shared by the storage tests: a table shaped like the saved
// set-ups, raw file access for tests that damage files on purpose.

#include "TableStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quivra::storage::test {

inline std::vector<FieldSpec> customerFields() {
    return {{"NAME", 'C', 30, 0},    {"CITY", 'C', 20, 0}, {"BOWWT", 'N', 5, 1},
            {"ARLEN", 'N', 4, 0},    {"SAVED", 'D', 8, 0}, {"ACTIVE", 'L', 1, 0},
            {"COMMENTS", 'M', 10, 0}};
}

inline std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Appends one record; fields given as name/value pairs.
inline Status appendRecord(TableStore& t,
                           const std::vector<std::pair<std::string, std::string>>& values) {
    if (auto s = t.appendBlank(); !s) return s;
    for (const auto& [name, value] : values) {
        if (auto s = t.setFieldText(name, value); !s) {
            t.cancel();
            return s;
        }
    }
    return t.post();
}

#define ASSERT_OK(expr)                                          \
    do {                                                         \
        const ::quivra::storage::Status s_ = (expr);             \
        ASSERT_TRUE(s_.isOk()) << #expr << ": " << s_.message(); \
    } while (0)

#define EXPECT_OK(expr)                                          \
    do {                                                         \
        const ::quivra::storage::Status s_ = (expr);             \
        EXPECT_TRUE(s_.isOk()) << #expr << ": " << s_.message(); \
    } while (0)

}  // namespace quivra::storage::test
