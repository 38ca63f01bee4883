// Moving shops in and writing the chain back out, through quivra-sync and
// its library: idempotent imports with a dry run, the fixture tables other
// programs wrote, the builds beside the set-ups, and the export as tables the
// program reads and as text.

#include "BuildSql.h"
#include "BuildStore.h"
#include "CustomerFiles.h"
#include "NoSyncFileIo.h"
#include "PgTestSupport.h"
#include "SavedSetupStore.h"
#include "Schema.h"
#include "ServerSetupStore.h"
#include "SetupSaving.h"
#include "ShopImport.h"
#include "TableStore.h"
#include "TestTables.h"

#include <array>
#include <cstdio>

namespace quivra::chain::test {
namespace {

using customers::test::addressNamed;
using customers::test::huntingCodes;

constexpr std::chrono::year_month_day kDay{std::chrono::year{2025}, std::chrono::May,
                                           std::chrono::day{4}};

// Runs quivra-sync with `args`; its standard output and exit status.
std::pair<std::string, int> runTool(const std::string& args) {
    const std::string command = std::string(QUIVRA_SYNC_TOOL) + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    std::array<char, 4096> buf{};
    while (pipe && fgets(buf.data(), buf.size(), pipe)) out += buf.data();
    const int status = pipe ? pclose(pipe) : -1;
    return {out, WEXITSTATUS(status)};
}

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

class ImportExportTest : public ServerTest {
protected:
    // A shop's data folder with `n` saved set-ups.
    void makeShop(const std::filesystem::path& dir, int n) {
        ASSERT_TRUE(customers::test::createSavedTables(dir));
        customers::SavedSetupStore store(dir);
        ASSERT_TRUE(store.open());
        for (int i = 0; i < n; ++i) {
            customers::CustomerAddress a = addressNamed("Customer " + std::to_string(i));
            a.comments = "O'Neil said \"60#\"\\ok, 100%\r\nline two\ttab";
            ASSERT_TRUE(store.appendSetup(a, huntingCodes(), kDay).status);
        }
        store.close();
    }
    std::string count(const std::string& query) { return sql(query).text(0, 0); }
};

TEST_F(ImportExportTest, ImportingTwiceAddsNothingAndADryRunChangesNothing) {
    customers::test::ScratchDir shop;
    makeShop(shop.path(), 50);
    const std::string server = "--server " + quoted(conninfo());
    const std::string import = server + " import " + shop.path().string() + " --shop 'North Shop'";

    auto [dry, dryStatus] = runTool(import + " --dry-run");
    EXPECT_EQ(dryStatus, 0) << dry;
    EXPECT_NE(dry.find("50 set-ups read"), std::string::npos) << dry;
    EXPECT_NE(dry.find("50 would be new, 0 already on the server"), std::string::npos) << dry;
    EXPECT_EQ(count("SELECT count(*) FROM setups"), "0");

    auto [first, firstStatus] = runTool(import);
    EXPECT_EQ(firstStatus, 0) << first;
    EXPECT_NE(first.find("50 new, 0 already"), std::string::npos) << first;
    auto [again, againStatus] = runTool(import);
    EXPECT_EQ(againStatus, 0) << again;
    EXPECT_NE(again.find("0 new, 50 already"), std::string::npos) << again;
    EXPECT_EQ(count("SELECT count(*) FROM setups"), "50");
    EXPECT_EQ(count("SELECT count(*) FROM setups WHERE comments = "
                    "E'O''Neil said \"60#\"\\\\ok, 100%\\r\\nline two\\ttab'"),
              "50");
    EXPECT_EQ(count("SELECT min(created)::date FROM setups"), "2025-05-04");
    // Another shop's table of the same shape is another shop's set-ups.
    auto [other, otherStatus] =
        runTool(server + " import " + shop.path().string() + " --shop 'South Shop'");
    EXPECT_EQ(otherStatus, 0) << other;
    EXPECT_EQ(count("SELECT count(*) FROM setups"), "100");
}

// A stored date the calendar lacks is no creation time: the set-up is
// imported with the time of the import, and the import goes through.
TEST_F(ImportExportTest, AnImpossibleStoredDateDoesNotStopTheImport) {
    customers::test::ScratchDir shop;
    makeShop(shop.path(), 2);
    {
        storage::TableStore t(shop.path() / customers::kSavedTableFile);
        ASSERT_TRUE(t.open());
        ASSERT_TRUE(t.goTo(1));
        ASSERT_TRUE(t.edit());
        ASSERT_TRUE(t.setFieldText("DATE", "02/31/2020"));
        ASSERT_TRUE(t.post());
    }
    auto [text, status] = runTool("--server " + quoted(conninfo()) + " import " +
                                  shop.path().string() + " --shop 'North Shop'");
    EXPECT_EQ(status, 0) << text;
    EXPECT_EQ(count("SELECT count(*) FROM setups"), "2");
    EXPECT_EQ(count("SELECT count(*) FROM setups WHERE saved_date = '02/31/2020' AND "
                    "created > now() - interval '1 hour'"),
              "1");
}

TEST_F(ImportExportTest, AGeneratedTableLargerThanABatchArrivesWhole) {
    // More records than one COPY batch (2,000) holds, with the letters COPY
    // escapes in every batch; the 1,000,000-record import is a benchmark.
    constexpr int kRecords = 4500;
    customers::test::ScratchDir shop;
    const std::filesystem::path table = shop.path() / customers::kSavedTableFile;
    {
        NoSyncFileIo io;
        ASSERT_TRUE(storage::TableStore::create(table, customers::SavedSetupStore::tableFields(),
                                                storage::CodePage::Cp1252, false, io));
        storage::TableStore out(table, io);
        ASSERT_TRUE(out.open());
        for (int i = 1; i <= kRecords; ++i) {
            customers::SavedSetup s;
            s.address = addressNamed("Gen " + std::to_string(i) + (i % 7 == 0 ? "\\t" : ""));
            s.address.comments = "tab\there\r\nnext " + std::to_string(i);
            s.date = i % 2 == 0 ? "12/31/1999" : "not a date";
            s.codes = huntingCodes();
            ASSERT_TRUE(out.appendBlank());
            ASSERT_TRUE(customers::SavedSetupStore::writeRecord(out, s).status);
            ASSERT_TRUE(out.post());
        }
        out.close();
    }
    ASSERT_TRUE(migrate(*m_db));
    auto report = importShop(*m_db, table, "Generated Shop", false);
    ASSERT_TRUE(report) << report.status().message();
    EXPECT_EQ(report->read, kRecords);
    EXPECT_EQ(report->added, kRecords);
    EXPECT_TRUE(report->missingFields.empty());
    EXPECT_EQ(count("SELECT count(DISTINCT name) FROM setups"), std::to_string(kRecords));
    for (const int i : {1, 2000, 2001, 2002, 4000, 4001, kRecords}) {
        SCOPED_TRACE(i);
        auto row = m_db->exec("SELECT comments, created::date FROM setups WHERE name = $1",
                              {"Gen " + std::to_string(i) + (i % 7 == 0 ? "\\t" : "")});
        ASSERT_TRUE(row) << row.status().message();
        ASSERT_EQ(row->rows(), 1);
        EXPECT_EQ(row->text(0, 0), "tab\there\r\nnext " + std::to_string(i));
        // A date the table cannot give is the time of the import.
        EXPECT_EQ(row->text(0, 1) == "1999-12-31", i % 2 == 0) << row->text(0, 1);
    }
    auto again = importShop(*m_db, table, "Generated Shop", false);
    ASSERT_TRUE(again) << again.status().message();
    EXPECT_EQ(again->added, 0);
    EXPECT_EQ(again->present, kRecords);
}

TEST_F(ImportExportTest, ImportsTheFixtureTablesOtherProgramsWrote) {
    const std::filesystem::path fixtures = std::filesystem::path(QUIVRA_SHARED_DIR) / "fixtures";
    if (!std::filesystem::exists(fixtures)) {
        if (std::getenv("CI")) FAIL() << "the shared fixtures are missing: " << fixtures;
        GTEST_SKIP() << "The shared fixtures are not beside the project (" << fixtures << ").";
    }
    ASSERT_TRUE(migrate(*m_db));
    for (const char* name : {"xbase/compact/names.dbf", "xbase/cp1251.dbf", "xbase/dbase_83.dbf"}) {
        SCOPED_TRACE(name);
        const std::filesystem::path table = fixtures / name;
        auto report = importShop(*m_db, table, name, false);
        ASSERT_TRUE(report) << report.status().message();
        storage::TableStore source(table);
        ASSERT_TRUE(source.open());
        long live = 0;
        for (core::Status s = source.first(); s && !source.eof(); s = source.next()) ++live;
        EXPECT_EQ(report->read, live);
        EXPECT_EQ(report->added, live);
        EXPECT_FALSE(report->missingFields.empty());  // none of them is a saved set-up table
        // Every name is found by its first letters, exactly as the table holds it.
        auto shop = shopId(*m_db, name);
        ServerSetupStore store(*m_db, *shop);
        ASSERT_TRUE(store.open());
        int checked = 0;
        for (core::Status s = source.first(); s && !source.eof() && checked < 200;
             s = source.next(), ++checked) {
            std::string expected = source.fieldText("NAME").value();
            expected.erase(expected.find_last_not_of(' ') + 1);
            if (expected.empty()) continue;
            ASSERT_TRUE(store.seekName(expected).value()) << expected;
            auto same = m_db->exec("SELECT count(*) FROM setups WHERE name = $1", {expected});
            ASSERT_TRUE(same);
            EXPECT_NE(same->text(0, 0), "0") << expected;
        }
    }
}

TEST_F(ImportExportTest, ExportWritesATableTheProgramReadsAndTheWholeTexts) {
    customers::test::ScratchDir shop;
    makeShop(shop.path(), 5);
    const std::string server = "--server " + quoted(conninfo());
    ASSERT_EQ(runTool(server + " import " + shop.path().string() + " --shop 'North Shop'").second,
              0);
    auto id = shopId(*m_db, "North Shop");
    ServerSetupStore store(*m_db, *id);
    customers::SavedSetup wide;
    wide.address = addressNamed(std::string(40, 'L') + "ł");
    ASSERT_TRUE(store.storeSetup(newUuid(), wide, "2030-01-01T00:00:00Z").status);

    customers::test::ScratchDir out;
    auto [text, status] = runTool(server + " export --out " + out.path().string());
    EXPECT_EQ(status, 0) << text;
    EXPECT_NE(text.find("6 set-ups written"), std::string::npos) << text;
    EXPECT_NE(text.find("1 texts were longer than their field"), std::string::npos) << text;
    EXPECT_NE(text.find("1 texts hold letters"), std::string::npos) << text;
    customers::SavedSetupStore exported(out.path());
    ASSERT_TRUE(exported.open());
    ASSERT_TRUE(exported.seekName("Customer 3").value());
    EXPECT_EQ(exported.current()->address.comments,
              "O'Neil said \"60#\"\\ok, 100%\r\nline two\ttab");
    const std::string csv = storage::test::readFile(out / "custdb.txt");
    EXPECT_NE(csv.find("\"" + std::string(40, 'L') + "ł\""), std::string::npos);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 6 + 5);  // five comments hold a CR LF
}

TEST_F(ImportExportTest, BuildsComeAlongWithTheirSetupsAndGoBackOutBesideThem) {
    customers::test::ScratchDir shop;
    ASSERT_TRUE(customers::test::createSavedTables(shop.path()));
    storage::FileIo& io = storage::FileIo::posix();
    std::vector<customers::SavedBuild> saved;
    for (int i = 0; i < 3; ++i) {
        customers::SavedBuild b = customers::test::sampleBuild();
        b.notes = "arrow " + std::to_string(i) + " \"60#\"\\, 'x'";
        b.pointGr = 100 + i;
        if (i == 1) b.focPercent.reset();
        customers::SetupCodes codes = huntingCodes();
        codes.bowWeight = std::to_string(50 + i);
        auto out = customers::saveSetupWithBuild(shop.path(), io,
                                                 addressNamed("Archer " + std::to_string(i)), codes,
                                                 kDay, i == 2 ? std::nullopt : std::optional(b));
        ASSERT_TRUE(out.status) << out.status.message();
    }
    {
        // The build the third set-up got later, one naming a set-up no longer
        // on file, and one naming a set-up that was replaced since.
        customers::BuildStore builds(shop.path());
        ASSERT_TRUE(builds.openForWriting());
        ASSERT_TRUE(builds.read(1).value());
        for (std::uint32_t rec : {1U, 2U}) saved.push_back((*builds.read(rec).value()).build);
        customers::SavedSetupStore setups(shop.path());
        ASSERT_TRUE(setups.open());
        ASSERT_TRUE(setups.goTo(3));
        const std::string third = customers::setupSignature(setups.current().value());
        setups.close();
        customers::SavedBuild late = customers::test::sampleBuild();
        late.notes = "late";
        ASSERT_TRUE(builds.append(3, third, late));
        saved.push_back((*builds.read(3).value()).build);
        ASSERT_TRUE(builds.append(99, third, late));
        ASSERT_TRUE(builds.append(2, "0BADC0DE", late));
    }
    const std::string server = "--server " + quoted(conninfo());
    const std::string import = server + " import " + shop.path().string() + " --shop 'Bow Shop'";
    auto [dry, dryStatus] = runTool(import + " --dry-run");
    EXPECT_EQ(dryStatus, 0) << dry;
    EXPECT_NE(dry.find("5 builds read; 3 would be new, 0 already on the server, 1 naming no "
                       "imported set-up, 1 naming a set-up that has changed"),
              std::string::npos)
        << dry;
    EXPECT_EQ(count("SELECT count(*) FROM builds"), "0");
    auto [first, firstStatus] = runTool(import);
    EXPECT_EQ(firstStatus, 0) << first;
    EXPECT_NE(first.find("5 builds read; 3 new, 0 already"), std::string::npos) << first;
    auto [again, againStatus] = runTool(import);
    EXPECT_EQ(againStatus, 0) << again;
    EXPECT_NE(again.find("5 builds read; 0 new, 3 already"), std::string::npos) << again;
    EXPECT_EQ(count("SELECT count(*) FROM builds"), "3");
    // Each build is its set-up's, whole.
    auto rows = m_db->exec("SELECT s.name, " + buildColumns("b") +
                           " FROM builds b JOIN setups s ON s.id = b.setup_id ORDER BY s.name");
    ASSERT_TRUE(rows) << rows.status().message();
    ASSERT_EQ(rows->rows(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rows->text(i, 0), "Archer " + std::to_string(i));
        EXPECT_EQ(buildFromRow(*rows, i, 1), saved[static_cast<std::size_t>(i)]);
    }

    customers::test::ScratchDir out;
    auto [text, status] =
        runTool(server + " export --shop 'Bow Shop' --out " + out.path().string());
    EXPECT_EQ(status, 0) << text;
    EXPECT_NE(text.find("3 builds to"), std::string::npos) << text;
    customers::SavedSetupStore setups(out.path());
    ASSERT_TRUE(setups.open());
    customers::BuildStore builds(out.path());
    ASSERT_TRUE(builds.openForReading());
    EXPECT_EQ(builds.recordCount(), 3U);
    for (std::uint32_t rec = 1; rec <= 3; ++rec) {
        ASSERT_TRUE(setups.goTo(rec));
        const customers::SavedSetup setup = setups.current().value();
        const int i = setup.address.name.back() - '0';
        auto found = builds.findFor(rec, customers::setupSignature(setup));
        ASSERT_TRUE(found) << found.status().message();
        ASSERT_TRUE(*found) << setup.address.name;
        EXPECT_EQ((*found)->build, saved[static_cast<std::size_t>(i)]) << setup.address.name;
    }
    const std::string lines = storage::test::readFile(out / customers::kBuildsExportFile);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 3);
    EXPECT_NE(lines.find("\"Archer 1\""), std::string::npos) << lines;
    EXPECT_NE(lines.find("\"late\""), std::string::npos) << lines;
}

// An arrow saved at a counter keeps any text on the server; written out to
// Builds.dbf, what the table cannot hold is marked and counted, and the
// export goes on.
TEST_F(ImportExportTest, ArrowTextsBuildsDbfCannotHoldAreMarkedAndCountedNotFatal) {
    ASSERT_TRUE(migrate(*m_db));
    auto id = shopId(*m_db, "East Shop");
    ASSERT_TRUE(id);
    ServerSetupStore store(*m_db, *id);
    customers::SavedBuild arrow = customers::test::sampleBuild();
    arrow.notes = "Łódź " + std::string(300, 'x');
    arrow.spineCheck = "weak by 12% (Żak)";
    ASSERT_TRUE(
        store.appendSetupWithBuild(addressNamed("Wide Notes"), huntingCodes(), kDay, arrow).status);

    customers::test::ScratchDir out;
    auto [text, status] =
        runTool("--server " + quoted(conninfo()) + " export --out " + out.path().string());
    EXPECT_EQ(status, 0) << text;
    EXPECT_NE(text.find("1 builds to"), std::string::npos) << text;
    EXPECT_NE(text.find("1 build texts were longer than their field"), std::string::npos) << text;
    EXPECT_NE(text.find("2 build texts hold letters"), std::string::npos) << text;
    customers::SavedSetupStore setups(out.path());
    ASSERT_TRUE(setups.open());
    customers::BuildStore builds(out.path());
    ASSERT_TRUE(builds.openForReading());
    auto found = builds.findFor(1, customers::setupSignature(setups.current().value()));
    ASSERT_TRUE(found && *found);
    EXPECT_EQ((*found)->build.notes, "??d? " + std::string(customers::kBuildNotesWidth - 5, 'x'));
    EXPECT_EQ((*found)->build.spineCheck, "weak by 12% (?ak)");
    // The server keeps the arrow as saved.
    EXPECT_EQ(count("SELECT count(*) FROM builds WHERE notes = '" + arrow.notes + "'"), "1");
}

}  // namespace
}  // namespace quivra::chain::test
