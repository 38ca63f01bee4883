#pragma once
// Helpers of the index tests: a small customer table, key-order reading
// through the handle, and the full index check.

#include "ForwardingFileIo.h"
#include "IndexFile.h"
#include "TableFile.h"
#include "TableStore.h"
#include "TestTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quivra::storage::test {

// The POSIX layer with syncs left out, for tests of the tree's logic that
// post thousands of records (durability is tested with FaultyFileIo).
class NoSyncFileIo final : public ForwardingFileIo {
protected:
    std::unique_ptr<File> wrap(std::unique_ptr<File> file) override {
        return std::make_unique<NoSyncFile>(std::move(file));
    }

private:
    class NoSyncFile final : public ForwardingFile {
    public:
        using ForwardingFile::ForwardingFile;
        Status sync() override { return Status::ok(); }
    };
};

inline NoSyncFileIo& noSyncIo() {
    static NoSyncFileIo io;
    return io;
}

inline std::vector<FieldSpec> nameFields() {
    return {
        {"NAME", 'C', 30, 0}, {"SIZE", 'C', 6, 0}, {"SPINEKEY", 'C', 6, 0}, {"BOWWT", 'N', 5, 0}};
}

// Record numbers in the order the handle walks them (first .. next).
inline std::vector<std::uint32_t> walkForward(TableStore& t) {
    std::vector<std::uint32_t> order;
    if (!t.first()) return order;
    while (!t.eof() && order.size() <= t.recordCount()) {
        order.push_back(t.recNo());
        if (!t.next()) break;
    }
    return order;
}

inline std::vector<std::uint32_t> walkBackward(TableStore& t) {
    std::vector<std::uint32_t> order;
    if (!t.last()) return order;
    while (!t.eof() && order.size() <= t.recordCount()) {
        order.push_back(t.recNo());
        if (!t.previous() || t.bof()) break;
    }
    return order;
}

// Record numbers sorted by (name padded to 30 bytes, record number).
inline std::vector<std::uint32_t> sortedByName(const std::vector<std::string>& names) {
    std::vector<std::pair<std::string, std::uint32_t>> keyed;
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string k = names[i];
        k.resize(30, ' ');
        keyed.emplace_back(k, static_cast<std::uint32_t>(i + 1));
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::uint32_t> order;
    for (const auto& e : keyed) order.push_back(e.second);
    return order;
}

// The full check of an index file against its table, outside any handle.
inline Status verifyIndex(const std::filesystem::path& table, const std::filesystem::path& index) {
    auto file = TableFile::open(table, FileIo::posix());
    if (!file) return file.status();
    auto idx = IndexFile::open(index, FileIo::posix(), **file);
    if (!idx) return idx.status();
    return (*idx)->verify();
}

}  // namespace quivra::storage::test
