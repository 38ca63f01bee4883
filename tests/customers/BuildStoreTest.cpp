// Saving a set-up with its build: what comes back, which set-up a build
// belongs to, two copies making Builds.dbf at once, and a crash at every
// write step of a save.
#include "BuildStore.h"
#include "BuildsExport.h"
#include "Clock.h"
#include "CrashingFileIo.h"
#include "CustomerExport.h"
#include "CustomerFiles.h"
#include "CustomerTables.h"
#include "SetupSaving.h"
#include "TableRepair.h"

#include <gtest/gtest.h>

#include <set>

#include <sys/wait.h>
#include <unistd.h>

namespace quivra::customers {
namespace {

using namespace std::chrono;
using test::addressNamed;
using test::huntingCodes;
using test::sampleBuild;

constexpr year_month_day kToday = year{2026} / March / day{7};

class BuildStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::createSavedTables(dir()).isOk()); }
    const std::filesystem::path& dir() const { return m_dir.path(); }

    SaveOutcome save(const std::string& name, const std::optional<SavedBuild>& build,
                     const SetupCodes& codes = huntingCodes()) {
        return saveSetupWithBuild(dir(), storage::FileIo::posix(), addressNamed(name), codes,
                                  kToday, build);
    }
    // The build the store finds for set-up record `recNo` as it is on file.
    std::optional<SavedBuild> buildOf(std::uint32_t recNo) {
        SavedSetupStore setups(dir());
        EXPECT_TRUE(setups.open().isOk());
        EXPECT_TRUE(setups.goTo(recNo).isOk());
        const std::string signature = setupSignature(setups.current().value());
        BuildStore builds(dir());
        EXPECT_TRUE(builds.openForReading().isOk());
        auto found = builds.findFor(recNo, signature);
        EXPECT_TRUE(found.isOk()) << found.status().message();
        if (!found.isOk() || !*found) return std::nullopt;
        return (*found)->build;
    }

private:
    test::ScratchDir m_dir;
};

TEST_F(BuildStoreTest, BuildComesBackWithEveryFigureAndAfterARestart) {
    core::FixedClock clock({kToday, 14, 5, 9});
    core::ScopedClock inForce(clock);
    SavedBuild built = sampleBuild();
    built.balanceIn = 17.83;
    built.sightRadiusIn = 31.25;
    const SaveOutcome out = save("Ann Archer", built);
    ASSERT_TRUE(out.status.isOk()) << out.status.message();
    ASSERT_TRUE(out.setup);
    EXPECT_TRUE(out.buildStored);
    EXPECT_EQ(out.setup->recNo, 1u);

    // A fresh handle, as after a restart, reads back every field.
    const std::optional<SavedBuild> read = buildOf(1);
    ASSERT_TRUE(read);
    built.savedAt = "20260307140509";
    EXPECT_EQ(*read, built);
    EXPECT_TRUE(std::filesystem::exists(dir() / "Builds.idx"));
}

TEST_F(BuildStoreTest, SetupsWithoutABuildAreSavedAsBeforeAndFindNone) {
    ASSERT_TRUE(save("Old Customer", std::nullopt).status.isOk());
    // No build was ever saved: Builds.dbf is not even made.
    EXPECT_FALSE(std::filesystem::exists(dir() / "Builds.dbf"));
    EXPECT_FALSE(buildOf(1));
    ASSERT_TRUE(save("New Customer", sampleBuild()).status.isOk());
    ASSERT_TRUE(save("Later Customer", std::nullopt).status.isOk());
    EXPECT_FALSE(buildOf(1));
    EXPECT_TRUE(buildOf(2));
    EXPECT_FALSE(buildOf(3));
}

TEST_F(BuildStoreTest, ABuildNeverAttachesToAnotherSetUpInItsPlace) {
    ASSERT_TRUE(save("Ann Archer", sampleBuild()).status.isOk());
    // Another program replaces the set-up table: record 1 is now another
    // customer's set-up with other codes.
    std::filesystem::remove(dir() / "Saveddb.dbf");
    std::filesystem::remove(dir() / "Saveddb.fpt");
    std::filesystem::remove(dir() / "Saved.idx");
    ASSERT_TRUE(test::createSavedTables(dir()).isOk());
    SetupCodes other = huntingCodes();
    other.bowWeight = "55";
    ASSERT_TRUE(save("Bob Bowman", std::nullopt, other).status.isOk());
    EXPECT_FALSE(buildOf(1));

    // A corrected address keeps the build: the signature leaves it out.
    SavedSetupStore setups(dir());
    ASSERT_TRUE(setups.open().isOk());
    ASSERT_TRUE(save("Cy Fletcher", sampleBuild()).status.isOk());
    ASSERT_TRUE(setups.seekName("Cy").value());
    ASSERT_TRUE(setups.beginEdit().isOk());
    CustomerAddress moved = addressNamed("Cy Fletcher-Smith");
    moved.city = "Shelbyville";
    ASSERT_TRUE(setups.postAddress(moved).isOk());
    setups.close();
    EXPECT_TRUE(buildOf(2));
}

TEST_F(BuildStoreTest, ARetriedBuildIsTheOneFoundAndNotesAreCutToTheirField) {
    SavedBuild first = sampleBuild();
    first.notes = std::string(300, 'n');
    const SaveOutcome out = save("Ann Archer", first);
    ASSERT_TRUE(out.status.isOk());
    SavedBuild second = sampleBuild();
    second.quantity = 6;
    std::string notice;
    ASSERT_TRUE(saveBuildFor(dir(), storage::FileIo::posix(), *out.setup, second, notice).isOk());
    EXPECT_EQ(buildOf(1)->quantity, 6);

    BuildStore builds(dir());
    ASSERT_TRUE(builds.openForReading().isOk());
    auto record = builds.read(1);
    ASSERT_TRUE(record.isOk() && *record);
    EXPECT_EQ((*record)->build.notes, std::string(kBuildNotesWidth, 'n'));
}

TEST_F(BuildStoreTest, TwoCopiesSavingTheirFirstBuildsAtOnceShareOneTable) {
    constexpr int kEach = 15;
    const auto saveMany = [this](const std::string& who) {
        for (int i = 0; i < kEach; ++i) {
            SavedBuild b = sampleBuild();
            b.notes = who + std::to_string(i);
            if (!save(who + std::to_string(i), b).status.isOk()) return false;
        }
        return true;
    };
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(saveMany("Child ") ? 0 : 1);
    EXPECT_TRUE(saveMany("Parent "));
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    // Every set-up has the build saved with it, in one Builds.dbf.
    SavedSetupStore setups(dir());
    ASSERT_TRUE(setups.open().isOk());
    BuildStore builds(dir());
    ASSERT_TRUE(builds.openForReading().isOk());
    EXPECT_EQ(builds.recordCount(), 2u * kEach);
    for (std::uint32_t rec = 1; rec <= 2 * kEach; ++rec) {
        ASSERT_TRUE(setups.goTo(rec).isOk());
        const SavedSetup setup = setups.current().value();
        auto found = builds.findFor(rec, setupSignature(setup));
        ASSERT_TRUE(found.isOk() && *found) << rec;
        EXPECT_EQ((*found)->build.notes, setup.address.name);
    }
}

TEST_F(BuildStoreTest, ExportWritesOneLinePerBuildWithItsCustomer) {
    core::FixedClock clock({kToday, 9, 30, 0});
    core::ScopedClock inForce(clock);
    ASSERT_TRUE(save("Old Customer", std::nullopt).status.isOk());
    ASSERT_TRUE(save("Ann \"Bullseye\" Archer", sampleBuild()).status.isOk());
    ASSERT_TRUE(exportCustomers(dir()).isOk());
    const std::string expected =
        "2,\"Ann \"\"Bullseye\"\" Archer\",\"03/07/2026\",\"20260307093000\",\"340CH\",\"340\","
        "\"CH\",0.34,9.3,29,100,15,9,15,12,408.7,11.48,303.9,\"matches the chart\","
        "\"compound\",340,\"IBO\",70,28,7,0,,,\"Hunt\",0,0,0,"
        "\"Fletch \"\"left\"\" wing, 3 vanes; cut from the point end.\"\r\n";
    EXPECT_EQ(test::readFile(dir() / kBuildsExportFile), expected);
    // custdb.txt is what it always was: the two set-ups, nothing more.
    const std::string customers = test::readFile(dir() / kExportFile);
    EXPECT_EQ(std::count(customers.begin(), customers.end(), '\n'), 2);
    EXPECT_EQ(customers.find("340CH"), std::string::npos);
}

TEST_F(BuildStoreTest, ExportWithoutAnyBuildWritesAnEmptyBuildsFile) {
    ASSERT_TRUE(save("Old Customer", std::nullopt).status.isOk());
    ASSERT_TRUE(exportCustomers(dir()).isOk());
    EXPECT_EQ(test::readFile(dir() / kBuildsExportFile), "");
    EXPECT_FALSE(std::filesystem::exists(dir() / "Builds.dbf"));
}

// --- a crash at every step ---------------------------------------------------

// What the files say after a crash, read as the program reads them after a
// restart (a set-up table the crash left damaged is repaired first, as the
// windows offer).
struct AfterCrash {
    std::vector<std::string> names;                 // set-ups in record order
    std::vector<std::optional<SavedBuild>> builds;  // each one's build
};

AfterCrash readBack(const std::filesystem::path& dir) {
    {
        storage::TableStore t(dir / "Saveddb.dbf");
        EXPECT_TRUE(t.open().isOk());
        const bool damaged = !t.damage().isOk();
        t.close();
        if (damaged) {
            auto report = storage::TableRepair::repair(dir / "Saveddb.dbf", {dir / "Saved.idx"},
                                                       storage::FileIo::posix(),
                                                       std::chrono::system_clock::now());
            EXPECT_TRUE(report.isOk()) << report.status().message();
        }
    }
    AfterCrash after;
    SavedSetupStore setups(dir);
    const storage::Status opened = setups.open();
    EXPECT_TRUE(opened.isOk()) << opened.message();
    if (!opened) return after;
    BuildStore builds(dir);
    EXPECT_TRUE(builds.openForReading().isOk());
    const std::uint32_t count = SavedSetupStore::countRecords(dir).valueOr(0);
    for (std::uint32_t rec = 1; rec <= count; ++rec) {
        EXPECT_TRUE(setups.goTo(rec).isOk());
        const SavedSetup setup = setups.current().value();
        after.names.push_back(setup.address.name);
        auto found = builds.findFor(rec, setupSignature(setup));
        EXPECT_TRUE(found.isOk()) << found.status().message();
        after.builds.push_back(found.isOk() && *found ? std::optional((*found)->build)
                                                      : std::nullopt);
    }
    return after;
}

// Copies every file of `from` into `to` (a fresh folder).
void copyFolder(const std::filesystem::path& from, const std::filesystem::path& to) {
    for (const auto& entry : std::filesystem::directory_iterator(from)) {
        std::filesystem::copy_file(entry.path(), to / entry.path().filename());
    }
}

class CrashTest : public BuildStoreTest, public ::testing::WithParamInterface<bool> {
protected:
    // Saves "New" with a build in a child that dies at `step`; true when the
    // child got through the whole save without reaching it.
    bool saveUntilCrash(const std::filesystem::path& folder, std::uint64_t step, bool tear) {
        const pid_t child = fork();
        if (child == 0) {
            test::CrashingFileIo io;
            io.crashAt = step;
            io.tear = tear;
            SavedBuild b = sampleBuild();
            b.notes = "new";
            const SaveOutcome out =
                saveSetupWithBuild(folder, io, addressNamed("New"), huntingCodes(), kToday, b);
            _exit(out.status.isOk() && out.buildStored ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_NE(WEXITSTATUS(status), 1) << "the save failed without a crash at step " << step;
        return WEXITSTATUS(status) == 0;
    }

    // Runs the save with a crash at every step from the state in dir().
    void crashAtEveryStep(bool tear) {
        const AfterCrash before = readBack(dir());
        std::uint64_t step = 0;
        for (; step < 400; ++step) {
            SCOPED_TRACE("crash before step " + std::to_string(step) + (tear ? ", torn" : ""));
            test::ScratchDir run;
            copyFolder(dir(), run.path());
            const bool finished = saveUntilCrash(run.path(), step, tear);
            const AfterCrash after = readBack(run.path());

            // The earlier set-ups and builds are untouched.
            ASSERT_GE(after.names.size(), before.names.size());
            for (std::size_t i = 0; i < before.names.size(); ++i) {
                EXPECT_EQ(after.names[i], before.names[i]);
                EXPECT_EQ(after.builds[i], before.builds[i]);
            }
            // The new set-up is there or not; its build whole or missing.
            ASSERT_LE(after.names.size(), before.names.size() + 1);
            if (after.names.size() > before.names.size()) {
                EXPECT_EQ(after.names.back(), "New");
                if (after.builds.back()) {
                    EXPECT_EQ(after.builds.back()->notes, "new");
                }
            }
            if (finished) {
                ASSERT_TRUE(after.builds.back());
                break;
            }
            // After the restart saving works again, build and all.
            SavedBuild again = sampleBuild();
            again.notes = "again";
            const SaveOutcome out =
                saveSetupWithBuild(run.path(), storage::FileIo::posix(), addressNamed("Again"),
                                   huntingCodes(), kToday, again);
            ASSERT_TRUE(out.status.isOk()) << out.status.message();
            const AfterCrash later = readBack(run.path());
            ASSERT_EQ(later.names.back(), "Again");
            ASSERT_TRUE(later.builds.back());
            EXPECT_EQ(later.builds.back()->notes, "again");
        }
        EXPECT_LT(step, 400u) << "the save never finished";
        EXPECT_GT(step, 5u);
    }
};

TEST_P(CrashTest, TheFirstBuildOfAFolder) {
    ASSERT_TRUE(save("Old Customer", std::nullopt).status.isOk());
    crashAtEveryStep(GetParam());
}

TEST_P(CrashTest, ABuildBesideEarlierOnes) {
    ASSERT_TRUE(save("Ann Archer", sampleBuild()).status.isOk());
    ASSERT_TRUE(save("Old Customer", std::nullopt).status.isOk());
    crashAtEveryStep(GetParam());
}

INSTANTIATE_TEST_SUITE_P(WholeOrTornWrites, CrashTest, ::testing::Bool(),
                         [](const auto& param) { return param.param ? "Torn" : "Whole"; });

TEST_F(BuildStoreTest, KilledSaverLosesNoSavedBuild) {
    // Like the set-ups' kill test: a child saves set-ups with builds until
    // it is killed at a moment that moves a little each round.
    std::set<std::uint32_t> returned;  // set-ups whose save returned ok
    for (int round = 0; round < 12; ++round) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(fds[0]);
            for (std::uint32_t n = 0;; ++n) {
                SavedBuild b = sampleBuild();
                b.notes = "build " + std::to_string(n);
                const SaveOutcome out = saveSetupWithBuild(dir(), storage::FileIo::posix(),
                                                           addressNamed("K" + std::to_string(n)),
                                                           huntingCodes(), kToday, b);
                if (!out.status.isOk()) _exit(3);
                const std::uint32_t rec = out.setup->recNo;
                if (write(fds[1], &rec, sizeof rec) != sizeof rec) _exit(4);
            }
        }
        close(fds[1]);
        std::uint32_t got = 0;
        if (read(fds[0], &got, sizeof got) == sizeof got) returned.insert(got);
        usleep(static_cast<useconds_t>(1000 + 1700 * round % 9000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saver stopped with " << WEXITSTATUS(status);
        while (read(fds[0], &got, sizeof got) == sizeof got) returned.insert(got);
        close(fds[0]);

        const AfterCrash after = readBack(dir());
        ASSERT_GE(after.names.size(), *returned.rbegin()) << "round " << round;
        for (std::size_t i = 0; i < after.names.size(); ++i) {
            const std::string n = after.names[i].substr(1);
            // Every set-up whose save returned has its build; any build
            // found is the one saved with its set-up.
            if (returned.count(static_cast<std::uint32_t>(i + 1)) != 0) {
                ASSERT_TRUE(after.builds[i]) << after.names[i];
            }
            if (after.builds[i]) {
                EXPECT_EQ(after.builds[i]->notes, "build " + n);
            }
        }
    }
    EXPECT_GE(returned.size(), 12u);  // at least one save a round
}

}  // namespace
}  // namespace quivra::customers
