// Posts that fail part way through the index writes (a write error at each
// write in turn, a sync that fails, a full disk): the table and index must
// never disagree once the index is selected again.

#include "FaultyFileIo.h"
#include "IndexTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace quivra::storage::test {
namespace {

enum class Fault { WriteNumber, Sync, DiskFull };

struct FaultCase {
    const char* label;
    Fault fault;
    bool edit;  // an edit that moves a key, else an append that splits a leaf
};

class IndexFault : public ::testing::TestWithParam<FaultCase> {
protected:
    void SetUp() override {
        ASSERT_OK(TableStore::create(m_dir / "t.dbf", nameFields()));
        TableStore t(m_dir / "t.dbf");
        ASSERT_OK(t.open());
        for (int i = 0; i < 42; ++i)
            ASSERT_OK(appendRecord(t, {{"NAME", "N" + std::to_string(100 + i)}}));
        ASSERT_OK(t.createIndex("t.idx", "NAME"));
    }

    // Runs the post with `io` underneath; its result does not matter.
    void postThrough(FaultyFileIo& io) {
        TableStore t(m_dir / "t.dbf", io);
        if (!t.open() || !t.selectIndex("t.idx")) return;
        if (GetParam().edit) {
            if (!t.goTo(3) || !t.edit() || !t.setFieldText("NAME", "A000")) return;
            (void)t.post();
        } else {
            (void)appendRecord(t, {{"NAME", "N105x"}});
        }
    }

    // With the index selected again, every record is found under its name.
    void expectConsistent() {
        TableStore t(m_dir / "t.dbf");
        ASSERT_OK(t.open());
        ASSERT_OK(t.selectIndex("t.idx"));
        EXPECT_OK(verifyIndex(m_dir / "t.dbf", m_dir / "t.idx"));
        for (std::uint32_t r = 1; r <= t.recordCount(); ++r) {
            ASSERT_OK(t.goTo(r));
            const std::string name = t.fieldText("NAME").valueOr("");
            ASSERT_TRUE(t.seek(name).valueOr(false)) << name;
        }
    }

    TempDir m_dir;
};

TEST_P(IndexFault, TableAndIndexAgreeAfterwards) {
    const std::string table = readFile(m_dir / "t.dbf");
    const std::string index = readFile(m_dir / "t.idx");
    for (std::uint64_t n = 0; n < 14; ++n) {
        writeFile(m_dir / "t.dbf", table);
        writeFile(m_dir / "t.idx", index);
        FaultyFileIo io;
        switch (GetParam().fault) {
            case Fault::WriteNumber:
                io.failWriteNumber = n;
                break;
            case Fault::Sync:
                io.failSync = n == 0;
                break;
            case Fault::DiskFull:
                io.writeBudget = n * 256;
                break;
        }
        postThrough(io);
        SCOPED_TRACE("fault at step " + std::to_string(n));
        expectConsistent();
    }
}

INSTANTIATE_TEST_SUITE_P(Posts, IndexFault,
                         ::testing::Values(FaultCase{"AppendWriteError", Fault::WriteNumber, false},
                                           FaultCase{"EditWriteError", Fault::WriteNumber, true},
                                           FaultCase{"AppendSyncFails", Fault::Sync, false},
                                           FaultCase{"AppendDiskFull", Fault::DiskFull, false},
                                           FaultCase{"EditDiskFull", Fault::DiskFull, true}),
                         [](const auto& param) { return std::string(param.param.label); });

}  // namespace
}  // namespace quivra::storage::test
