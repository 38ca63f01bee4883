// Saving, browsing, searching and correcting saved set-ups on real files.
#include "CustomerExport.h"
#include "CustomerTables.h"
#include "FailingFileIo.h"
#include "SavedSetupStore.h"

#include <gtest/gtest.h>

#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace quivra::customers {
namespace {

using namespace std::chrono;
using test::addressNamed;
using test::huntingCodes;

constexpr year_month_day kToday = year{2026} / March / day{7};

class SavedSetupStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::createSavedTables(dir()).isOk()); }
    const std::filesystem::path& dir() const { return m_dir.path(); }

    void save(const CustomerAddress& address, const SetupCodes& codes = huntingCodes()) {
        SavedSetupStore store(dir());
        ASSERT_TRUE(store.open().isOk());
        const AppendOutcome out = store.appendSetup(address, codes, kToday);
        ASSERT_TRUE(out.status.isOk()) << out.status.message();
        EXPECT_TRUE(out.stored);
    }
    // Names in the order the store walks them with next().
    std::vector<std::string> namesInOrder(SavedSetupStore& store) {
        std::vector<std::string> names;
        EXPECT_TRUE(store.first().isOk());
        while (!store.atEnd()) {
            names.push_back(store.current()->address.name);
            EXPECT_TRUE(store.next().isOk());
        }
        return names;
    }

private:
    test::ScratchDir m_dir;
};

TEST_F(SavedSetupStoreTest, RecordComesBackAsSaved) {
    CustomerAddress a = addressNamed("Zoë O'Brien \"Bud\" Müller");
    a.addr2 = "Suite 5";
    a.zip = "62701";
    a.country = "Österreich";
    a.ccode = "VIP";
    a.comments = "Prefers \"fat\" shafts.\nLeft-handed.\n\nCall after 5.";
    const SetupCodes codes{"1", "45", "28", "85", "1", "2", "1", "1", "4"};
    save(a, codes);

    SavedSetupStore store(dir());
    ASSERT_TRUE(store.open().isOk());
    const auto r = store.current();
    ASSERT_TRUE(r.isOk()) << r.status().message();
    a.comments = "Prefers \"fat\" shafts.\r\nLeft-handed.\r\n\r\nCall after 5.";  // memo CR LF
    EXPECT_EQ(r->address, a);
    EXPECT_EQ(r->codes, codes);
    EXPECT_EQ(r->date, "03/07/2026");
}

TEST_F(SavedSetupStoreTest, DateFieldOfTypeDateGetsTheDateForm) {
    test::ScratchDir other;
    ASSERT_TRUE(test::createSavedTables(other.path(), true).isOk());
    SavedSetupStore store(other.path());
    ASSERT_TRUE(store.open().isOk());
    ASSERT_TRUE(store.appendSetup(addressNamed("Ann"), huntingCodes(), kToday).status.isOk());
    EXPECT_EQ(store.current()->date, "20260307");
}

TEST_F(SavedSetupStoreTest, NameIndexListsANewCustomerAtOnce) {
    for (const char* n : {"Smith", "Adams", "Smart", "Jones"}) save(addressNamed(n));
    SavedSetupStore store(dir());
    ASSERT_TRUE(store.open().isOk());
    EXPECT_EQ(namesInOrder(store), (std::vector<std::string>{"Adams", "Jones", "Smart", "Smith"}));
}

TEST_F(SavedSetupStoreTest, SeekFindsTheFirstNameWithTheLeadingLetters) {
    for (const char* n : {"Smith", "Adams", "Smart", "Smyth"}) save(addressNamed(n));
    SavedSetupStore store(dir());
    ASSERT_TRUE(store.open().isOk());
    struct Case {
        const char* letters;
        bool found;
        const char* name;
    };
    for (const Case& c :
         {Case{"Sm", true, "Smart"}, Case{"Smy", true, "Smyth"}, Case{"A", true, "Adams"},
          Case{"sm", false, ""}, Case{"Zed", false, ""}}) {
        SCOPED_TRACE(c.letters);
        const auto found = store.seekName(c.letters);
        ASSERT_TRUE(found.isOk());
        EXPECT_EQ(found.value(), c.found);
        if (c.found) {
            EXPECT_EQ(store.current()->address.name, c.name);
        }
    }
}

TEST_F(SavedSetupStoreTest, CorrectedNameMovesInNameOrderAndKeepsTheSetup) {
    for (const char* n : {"Adams", "Baker", "Clark"}) save(addressNamed(n));
    SavedSetupStore store(dir());
    ASSERT_TRUE(store.open().isOk());
    ASSERT_TRUE(store.seekName("Adams").value());
    ASSERT_TRUE(store.beginEdit().isOk());
    CustomerAddress a = store.current()->address;
    a.name = "Young";
    a.city = "Peoria";
    ASSERT_TRUE(store.postAddress(a).isOk());
    EXPECT_EQ(namesInOrder(store), (std::vector<std::string>{"Baker", "Clark", "Young"}));
    ASSERT_TRUE(store.seekName("Young").value());
    EXPECT_EQ(store.current()->address.city, "Peoria");
    EXPECT_EQ(store.current()->codes, huntingCodes());
}

TEST_F(SavedSetupStoreTest, CancelledEditLeavesTheFileAlone) {
    save(addressNamed("Adams"));
    SavedSetupStore store(dir());
    ASSERT_TRUE(store.open().isOk());
    ASSERT_TRUE(store.beginEdit().isOk());
    store.cancelEdit();
    EXPECT_FALSE(store.isEditing());
    store.close();
    SavedSetupStore again(dir());
    ASSERT_TRUE(again.open().isOk());
    EXPECT_EQ(again.current()->address, addressNamed("Adams"));
}

TEST_F(SavedSetupStoreTest, TwoHandlesSavingInTurnBothKeepTheirRecords) {
    // Two copies of the program: each holds its own handles on the same files.
    SavedSetupStore first(dir());
    SavedSetupStore second(dir());
    ASSERT_TRUE(first.open().isOk());
    ASSERT_TRUE(second.open().isOk());
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(
            first.appendSetup(addressNamed("First " + std::to_string(i)), huntingCodes(), kToday)
                .status.isOk());
        ASSERT_TRUE(
            second.appendSetup(addressNamed("Second " + std::to_string(i)), huntingCodes(), kToday)
                .status.isOk());
    }
    first.close();
    second.close();
    EXPECT_EQ(SavedSetupStore::countRecords(dir()).value(), 10u);
    SavedSetupStore check(dir());
    ASSERT_TRUE(check.open().isOk());
    EXPECT_EQ(namesInOrder(check).size(), 10u);
    EXPECT_TRUE(check.seekName("Second 4").value());
}

// Saves as the save window makes them: open, append, close.
bool saveMany(const std::filesystem::path& dir, const std::string& prefix, int count) {
    for (int i = 0; i < count; ++i) {
        SavedSetupStore store(dir);
        if (!store.open()) return false;
        if (!store.appendSetup(addressNamed(prefix + std::to_string(i)), huntingCodes(), kToday)
                 .status) {
            return false;
        }
    }
    return true;
}

TEST_F(SavedSetupStoreTest, TwoProcessesSavingAtOnceBothKeepTheirRecords) {
    constexpr int kEach = 40;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(saveMany(dir(), "Child ", kEach) ? 0 : 1);
    const bool parentOk = saveMany(dir(), "Parent ", kEach);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(parentOk);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    EXPECT_EQ(SavedSetupStore::countRecords(dir()).value(), 2u * kEach);
    SavedSetupStore check(dir());
    ASSERT_TRUE(check.open().isOk());
    EXPECT_EQ(namesInOrder(check).size(), 2u * kEach);
    for (const char* name : {"Child 0", "Child 39", "Parent 0", "Parent 39"}) {
        EXPECT_TRUE(check.seekName(name).value()) << name;
    }
}

TEST_F(SavedSetupStoreTest, FailedWriteReportsAndLeavesNothingPending) {
    test::FailingFileIo io;
    SavedSetupStore store(dir(), io);
    ASSERT_TRUE(store.open().isOk());
    io.failWritesTo(".dbf");
    const AppendOutcome out = store.appendSetup(addressNamed("Lost"), huntingCodes(), kToday);
    EXPECT_FALSE(out.status.isOk());
    EXPECT_FALSE(out.stored);
    EXPECT_FALSE(store.isEditing());
    io.heal();
    store.close();
    EXPECT_EQ(SavedSetupStore::countRecords(dir()).value(), 0u);
}

TEST_F(SavedSetupStoreTest, IndexWriteFailureIsReportedAndTheRecordIsFoundLater) {
    save(addressNamed("Adams"));
    test::FailingFileIo io;
    SavedSetupStore store(dir(), io);
    ASSERT_TRUE(store.open().isOk());
    io.failWritesTo(".idx");
    const AppendOutcome out = store.appendSetup(addressNamed("Baker"), huntingCodes(), kToday);
    // Not a success: the caller must not say the record was added safely, nor
    // offer to save it again, since the record itself is in the file.
    EXPECT_FALSE(out.status.isOk());
    EXPECT_TRUE(out.stored);
    io.heal();
    store.close();
    EXPECT_EQ(SavedSetupStore::countRecords(dir()).value(), 2u);
    SavedSetupStore again(dir());
    ASSERT_TRUE(again.open().isOk());
    EXPECT_TRUE(again.seekName("Baker").value());
    EXPECT_EQ(namesInOrder(again), (std::vector<std::string>{"Adams", "Baker"}));
}

TEST_F(SavedSetupStoreTest, TextTheCodePageCannotHoldIsRefusedNotMangled) {
    SavedSetupStore store(dir());
    ASSERT_TRUE(store.open().isOk());
    const AppendOutcome out = store.appendSetup(addressNamed("李小龍"), huntingCodes(), kToday);
    EXPECT_FALSE(out.status.isOk());
    EXPECT_FALSE(out.stored);
    store.close();
    EXPECT_EQ(SavedSetupStore::countRecords(dir()).value(), 0u);
}

TEST(SavedSetupStoreFiles, MissingFilesAreNamedInTheError) {
    test::ScratchDir dir;
    SavedSetupStore none(dir.path());
    const storage::Status missingTable = none.open();
    EXPECT_FALSE(missingTable.isOk());
    EXPECT_NE(missingTable.message().find("Saveddb.dbf"), std::string::npos);
    EXPECT_FALSE(SavedSetupStore::countRecords(dir.path()).isOk());

    ASSERT_TRUE(test::createSavedTables(dir.path()).isOk());
    std::filesystem::remove(dir.path() / "Saved.idx");
    SavedSetupStore noIndex(dir.path());
    const storage::Status missingIndex = noIndex.open();
    EXPECT_FALSE(missingIndex.isOk());
    EXPECT_NE(missingIndex.message().find("Saved.idx"), std::string::npos);
    EXPECT_EQ(SavedSetupStore::countRecords(dir.path()).value(), 0u);
}

// --- export -----------------------------------------------------------------------

TEST_F(SavedSetupStoreTest, ExportWritesEveryRecordInSavingOrder) {
    CustomerAddress quoted = addressNamed("O'Neil \"Doc\" Brandão");
    quoted.comments = "line one\nline two\rline three";
    save(addressNamed("Zimmer"));
    save(quoted);
    ASSERT_TRUE(exportCustomers(dir()).isOk());
    const std::string text = test::readFile(dir() / "custdb.txt");
    const auto zimmer = text.find("\"Zimmer\"");
    // The export is UTF-8 whatever the table's code page; quotes are doubled.
    const auto oneil = text.find("\"O'Neil \"\"Doc\"\" Brandão\"");
    ASSERT_NE(zimmer, std::string::npos) << text;
    ASSERT_NE(oneil, std::string::npos) << text;
    EXPECT_LT(zimmer, oneil);  // saving order, not name order
    // Memo lines end CR LF in the table and stay inside the quotes.
    EXPECT_NE(text.find("\"line one\r\nline two\r\nline three\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"03/07/2026\",\"0\",\"60\""), std::string::npos);
}

TEST_F(SavedSetupStoreTest, ExportTwiceGivesIdenticalFiles) {
    save(addressNamed("Adams"));
    save(addressNamed("Baker"));
    ASSERT_TRUE(exportCustomers(dir()).isOk());
    const std::string once = test::readFile(dir() / "custdb.txt");
    ASSERT_TRUE(exportCustomers(dir()).isOk());
    EXPECT_EQ(test::readFile(dir() / "custdb.txt"), once);
}

TEST_F(SavedSetupStoreTest, EmptyTableExportsAnEmptyFile) {
    ASSERT_TRUE(exportCustomers(dir()).isOk());
    ASSERT_TRUE(std::filesystem::exists(dir() / "custdb.txt"));
    EXPECT_EQ(test::readFile(dir() / "custdb.txt"), "");
}

TEST(ExportFiles, MissingTableFailsAndWritesNothing) {
    test::ScratchDir dir;
    EXPECT_FALSE(exportCustomers(dir.path()).isOk());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "custdb.txt"));
}

}  // namespace
}  // namespace quivra::customers
