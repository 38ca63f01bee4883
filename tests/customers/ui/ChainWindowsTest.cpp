// The customer windows of two counters pointed at one PostgreSQL server (the
// server QUIVRA_TEST_PG names; scripts/ci-postgres.sh starts one): a save at
// one counter is found at the other at once, and a counter whose server is
// gone keeps saving, says so once, and catches up.

#include "Clock.h"
#include "CustomerDbSettings.h"
#include "PgTestSupport.h"
#include "TCustInfo.h"
#include "TGetCust.h"
#include "UiHelpers.h"

#include <QPushButton>
#include <QTreeWidget>

namespace quivra::customers {
namespace {

using namespace std::chrono;
using test::child;
using test::qs;
using test::takeShownTexts;
using test::typeInto;

const core::FixedClock kAt({.date = year{2026} / March / day{7}, .hour = 10, .minute = 42});

class ChainWindowsTest : public chain::test::ServerTest {
protected:
    void SetUp() override {
        ServerTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        makeCounterFolder(m_north.path(), "North Shop");
        makeCounterFolder(m_south.path(), "South Shop");
        takeShownTexts();
    }
    // Saves a customer through the save window of the counter in `dir`,
    // with the arrow built for the set-up when given.
    static void saveThroughWindow(const std::filesystem::path& dir, const char* name,
                                  std::optional<SavedBuild> build = std::nullopt) {
        selection::SelectionInputs inputs;
        inputs.bowWeight = "62";
        TCustInfo w(inputs, core::Page::Hunt, dir, std::move(build));
        typeInto(child(w, "DBEdit1"), qs(name));
        typeInto(child(w, "DBEdit6"), qs("1 Main St"));
        typeInto(child(w, "DBEdit8"), qs("Springfield"));
        typeInto(child(w, "DBEdit9"), qs("IL"));
        w.PostBtnClick();
    }
    test::ScratchDir m_north;
    test::ScratchDir m_south;
};

TEST_F(ChainWindowsTest, ASaveAtOneCounterIsFoundAtTheOtherAtOnce) {
    const core::ScopedClock clock(kAt);
    saveThroughWindow(m_north.path(), "Ångström, O'Neil");
    EXPECT_EQ(takeShownTexts(), QStringList{qs("New record has been successfully added")});
    std::optional<RestoredSetup> restored;
    TGetCust south(m_south.path(), {}, &restored);
    EXPECT_EQ(child(south, "DBEdit1")->text(), qs("Ångström, O'Neil"));
    shell::MessageBox::setNextInput(qs("ång"));
    south.Button1Click();
    EXPECT_EQ(child(south, "DBEdit1")->text(), qs("Ångström, O'Neil"));
    south.ReturnDataBtnClick();
    ASSERT_TRUE(restored.has_value());
    EXPECT_EQ(restored->bowWeight, std::optional<std::string>("62"));
}

TEST_F(ChainWindowsTest, AnArrowSavedAtOneCounterIsListedAndReorderedAtTheOther) {
    const core::ScopedClock clock(kAt);
    SavedBuild arrow = test::sampleBuild();
    arrow.notes = "Fletched 'left', \\ helical";
    saveThroughWindow(m_north.path(), "Archer, Ann", arrow);
    saveThroughWindow(m_north.path(), "Archer, Ann");
    EXPECT_EQ(takeShownTexts(), (QStringList{qs("New record has been successfully added"),
                                             qs("New record has been successfully added")}));
    std::vector<CustomerBuild> tickets;
    std::optional<Retrieved> retrieved;
    TGetCust south(
        m_south.path(),
        RetrievalCommands{{}, [&](QWidget*, const CustomerBuild& b) { tickets.push_back(b); }},
        &retrieved);
    auto* list = child<QTreeWidget>(south, "HistoryList");
    EXPECT_FALSE(child<QWidget>(south, "HistoryPanel")->isHidden());
    ASSERT_EQ(list->topLevelItemCount(), 2);
    // One day, so the last saved comes first: the set-up without an arrow.
    EXPECT_EQ(list->topLevelItem(0)->text(4), qs("(no build)"));
    EXPECT_EQ(list->topLevelItem(1)->text(4), qs("340 CH"));
    list->setCurrentItem(list->topLevelItem(1));
    ASSERT_TRUE(child<QPushButton>(south, "TicketBtn")->isEnabled());
    south.TicketBtnClick();
    ASSERT_EQ(tickets.size(), 1U);
    EXPECT_EQ(tickets[0].build.notes, arrow.notes);
    south.ReorderBtnClick();
    ASSERT_TRUE(retrieved && retrieved->reorder);
    arrow.savedAt = retrieved->reorder->build.savedAt;
    EXPECT_EQ(retrieved->reorder->build, arrow);
    EXPECT_EQ(sql("SELECT count(*) FROM builds").text(0, 0), "1");
    EXPECT_TRUE(takeShownTexts().isEmpty());
}

TEST_F(ChainWindowsTest, WithoutItsServerACounterSavesSaysSoOnceAndCatchesUp) {
    const core::ScopedClock clock(kAt);
    CustomerDbSettings settings = loadCustomerDbSettings(m_south.path()).value();
    CustomerDbSettings nowhere = settings;
    nowhere.host = "127.0.0.1";
    nowhere.port = 1;
    ASSERT_TRUE(saveCustomerDbSettings(m_south.path(), nowhere));
    saveThroughWindow(m_south.path(), "Offline One", test::sampleBuild());
    saveThroughWindow(m_south.path(), "Offline Two");
    EXPECT_EQ(takeShownTexts(), (QStringList{qs("Working offline since 10:42; 0 saves waiting"),
                                             qs("New record has been successfully added"),
                                             qs("New record has been successfully added")}));
    // Retrieval at that counter finds them in its own tables.
    {
        TGetCust south(m_south.path(), PrintCustomerFn{}, nullptr);
        EXPECT_EQ(child(south, "DBEdit1")->text(), qs("Offline One"));
    }
    ASSERT_TRUE(saveCustomerDbSettings(m_south.path(), settings));
    chain::CustomerBase& base = chain::CustomerBase::of(m_south.path());
    ASSERT_TRUE(base.reloadSettings());
    auto report = base.syncNow();
    ASSERT_TRUE(report) << report.status().message();
    EXPECT_EQ(report->remaining, 0U);
    TGetCust north(m_north.path(), PrintCustomerFn{}, nullptr);
    shell::MessageBox::setNextInput(qs("Offline T"));
    north.Button1Click();
    EXPECT_EQ(child(north, "DBEdit1")->text(), qs("Offline Two"));
    EXPECT_EQ(sql("SELECT count(*) FROM setups").text(0, 0), "2");
    // The arrow saved offline went with its set-up.
    EXPECT_EQ(sql("SELECT s.name FROM builds b JOIN setups s ON s.id = b.setup_id").text(0, 0),
              "Offline One");
}

}  // namespace
}  // namespace quivra::customers
