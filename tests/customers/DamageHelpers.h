#pragma once
// Damage done on purpose to the customer files, and another program's lock,
// for the tests of what the store and the windows make of them.

#include "Coding.h"
#include "CustomerTables.h"
#include "TableStore.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace quivra::customers::test {

inline void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Sets the record count in a table's header (0 with records on file: the
// damage a save would once have written over).
inline void setRecordCount(const std::filesystem::path& table, std::uint32_t count) {
    std::string bytes = readFile(table);
    storage::coding::putLe32(bytes.data() + 4, count);
    writeBytes(table, bytes);
}

// Rebuilds the index in bulk, so its leaves lie in key order from offset
// 512, then empties leaf `n` (0-based) as damage would.
inline void emptyLeaf(const std::filesystem::path& table, const std::filesystem::path& index,
                      std::size_t n) {
    {
        storage::TableStore t(table);
        ASSERT_TRUE(t.open().isOk());
        ASSERT_TRUE(t.selectIndex(index).isOk());
        ASSERT_TRUE(t.rebuildIndex().isOk());
    }
    std::string bytes = readFile(index);
    storage::coding::putLe16(bytes.data() + 512 + 512 * n + 2, 0);
    writeBytes(index, bytes);
}

// The header lock of a table held as another copy of the program holds it
// while it saves.
class ForeignSave {
public:
    explicit ForeignSave(const std::filesystem::path& table)
        : m_fd(::open(table.c_str(), O_RDWR | O_CLOEXEC)) {
        struct flock fl {};
        fl.l_type = F_WRLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = 0x40000000;
        fl.l_len = 1;
        EXPECT_EQ(::fcntl(m_fd, F_OFD_SETLK, &fl), 0);
    }
    ~ForeignSave() { ::close(m_fd); }
    ForeignSave(const ForeignSave&) = delete;
    ForeignSave& operator=(const ForeignSave&) = delete;

private:
    int m_fd;
};

inline constexpr const char* kBusyMessage =
    "Another copy of Quivra is saving to Saveddb.dbf. Try again in a moment.";

}  // namespace quivra::customers::test
