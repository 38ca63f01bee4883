// The outbox without a server: what it keeps, in which order, how the done
// mark and the emptying keep a crash from losing or repeating more than a
// batch, and the ticket numbers a counter holds.

#include "BuildSamples.h"
#include "CustomerBase.h"
#include "CustomerFiles.h"
#include "Outbox.h"
#include "TableStore.h"
#include "TempDir.h"
#include "TicketNumbers.h"

#include <gtest/gtest.h>

#include <fstream>

namespace quivra::chain {
namespace {

using storage::test::TempDir;

OutboxEntry entryNamed(const std::string& name, const std::string& uuid) {
    OutboxEntry e;
    e.uuid = uuid;
    e.queued = "2026-03-07T14:35:02.000001Z";
    e.shop = "Arrow Shop";
    e.setup.address.name = name;
    e.setup.address.addr1 = "1 Main St";
    e.setup.address.city = "Springfield";
    e.setup.address.state = "IL";
    e.setup.date = "03/07/2026";
    e.setup.codes.hort = "0";
    e.setup.codes.bowWeight = "60";
    return e;
}

// Names the counters' clerks type, and worse.
std::vector<std::string> hostileTexts() {
    return {"O'Neil",
            "Bob \"Bullseye\" Ray",
            "back\\slash\\\\",
            "'; DROP TABLE setups; --",
            "Zoë Ångström-Łukasiewicz",
            "100% _under_ %s %n",
            std::string("tab\there\rcr\nline\x01\x1f\x7f"),
            std::string(10000, 'x') + "é"};
}

TEST(Outbox, KeepsEveryTextExactlyThroughTheTable) {
    TempDir dir;
    Outbox outbox(dir.path());
    int n = 0;
    std::vector<OutboxEntry> added;
    for (const std::string& text : hostileTexts()) {
        OutboxEntry e = entryNamed(text, "00000000-0000-4000-8000-00000000000" + std::to_string(n));
        e.setup.address.comments = text + "\nsecond line";
        e.shop = text;
        e.localRec = static_cast<std::uint32_t>(n);
        if (n % 2 == 1) {  // every other one saved with its arrow
            e.buildUuid = "10000000-0000-4000-8000-00000000000" + std::to_string(n);
            e.build =
                n % 4 == 1 ? test::hostileBuild() : test::withoutOptionals(test::hostileBuild());
            e.build->notes = text;
        }
        auto rec = outbox.add(e);
        ASSERT_TRUE(rec) << rec.status().message();
        e.recNo = *rec;
        added.push_back(e);
        ++n;
    }
    auto batch = outbox.pending();
    ASSERT_TRUE(batch) << batch.status().message();
    EXPECT_EQ(batch->entries, added);
}

TEST(Outbox, DoneMarkHidesSentEntriesAndEmptyingStartsANewGeneration) {
    TempDir dir;
    Outbox outbox(dir.path());
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(outbox.add(entryNamed("N" + std::to_string(i), "u" + std::to_string(i))));
    auto first = outbox.pending(3);
    ASSERT_TRUE(first);
    ASSERT_EQ(first->entries.size(), 3U);
    ASSERT_TRUE(outbox.markDone(first->generation, first->entries.back().recNo));
    EXPECT_EQ(outbox.pendingCount().value(), 2U);
    // Not everything is done: the table stays.
    ASSERT_TRUE(outbox.compactIfDone());
    auto rest = outbox.pending();
    ASSERT_EQ(rest->entries.size(), 2U);
    EXPECT_EQ(rest->entries.front().setup.address.name, "N3");
    ASSERT_TRUE(outbox.markDone(rest->generation, rest->entries.back().recNo));
    ASSERT_TRUE(outbox.compactIfDone());
    EXPECT_EQ(outbox.pendingCount().value(), 0U);
    // A mark of the old generation (another copy's late sync) changes nothing.
    ASSERT_TRUE(outbox.add(entryNamed("After", "u9")));
    ASSERT_TRUE(outbox.markDone(rest->generation, 5));
    auto after = outbox.pending();
    ASSERT_EQ(after->entries.size(), 1U);
    EXPECT_EQ(after->entries.front().setup.address.name, "After");
    EXPECT_NE(after->generation, rest->generation);
}

TEST(Outbox, ADamagedDoneMarkIsReportedNotGuessed) {
    TempDir dir;
    Outbox outbox(dir.path());
    ASSERT_TRUE(outbox.add(entryNamed("A", "u1")));
    std::ofstream(dir / "Outbox.done") << "garbage";
    const auto batch = outbox.pending();
    ASSERT_FALSE(batch);
    EXPECT_NE(batch.status().message().find("Outbox.done"), std::string::npos);
}

// The first save of a folder makes the outbox and its generation: the
// local copy is linked under that one, or an address corrected offline on
// the copy would never reach the server.
TEST(Outbox, TheFirstEntryOfAFolderIsLinkedToItsLocalCopy) {
    TempDir dir;
    Outbox outbox(dir.path());
    EXPECT_EQ(outbox.pendingCount().value(), 0U);
    EXPECT_FALSE(std::filesystem::exists(dir / "Outbox.lock"));  // counting made nothing
    const std::string before = outbox.generation().value();
    std::string generation;
    auto rec = outbox.add(entryNamed("First", "uuid-first"), &generation);
    ASSERT_TRUE(rec);
    EXPECT_NE(generation, before);
    EXPECT_EQ(generation, outbox.generation().value());
    ASSERT_TRUE(outbox.setLocalRecord(generation, *rec, 1));
    EXPECT_EQ(outbox.uuidOfLocalRecord(1).value(), std::optional<std::string>("uuid-first"));
}

TEST(Outbox, FindsTheUuidOfAnOfflineSavesLocalCopy) {
    TempDir dir;
    Outbox outbox(dir.path());
    auto rec = outbox.add(entryNamed("A", "uuid-a"));
    ASSERT_TRUE(rec);
    auto gen = outbox.generation();
    ASSERT_TRUE(outbox.setLocalRecord(*gen, *rec, 17));
    EXPECT_EQ(outbox.uuidOfLocalRecord(17).value(), std::optional<std::string>("uuid-a"));
    EXPECT_EQ(outbox.uuidOfLocalRecord(18).value(), std::nullopt);
    // Finding it reads no queued texts: one that cannot be read does not
    // keep an address correction from the server.
    {
        storage::TableStore table(dir / "Outbox.dbf");
        ASSERT_TRUE(table.open());
        ASSERT_TRUE(table.goTo(*rec));
        ASSERT_TRUE(table.edit());
        ASSERT_TRUE(table.setFieldText("DATA", "NAME=abc%zz"));
        ASSERT_TRUE(table.post());
    }
    EXPECT_EQ(outbox.uuidOfLocalRecord(17).value(), std::optional<std::string>("uuid-a"));
}

TEST(Outbox, DecodeRefusesABrokenEscape) {
    OutboxEntry e;
    EXPECT_FALSE(Outbox::decode("NAME=abc%4", e));
    EXPECT_FALSE(Outbox::decode("NAME=abc%zz", e));
    EXPECT_TRUE(Outbox::decode("NAME=abc%25\nUNKNOWN=x\n", e));
    // An arrow's figure that is no number, or an arrow without its UUID.
    OutboxEntry b;
    EXPECT_FALSE(Outbox::decode("BUILD=1-2\nB.total_gr=12x\n", b));
    OutboxEntry c;
    EXPECT_FALSE(Outbox::decode("B.total_gr=12\n", c));
    EXPECT_EQ(e.setup.address.name, "abc%");
}

TEST(TicketNumbers, HandsOutTheHeldRangesInOrderAndRefusesWhenEmpty) {
    TempDir dir;
    std::ofstream(dir / "Tickets.conf")
        << "counter c1\nshop Arrow Shop\nrange 11 12\nrange 40 40\n";
    TicketNumbers tickets(dir.path(), "Arrow Shop");
    EXPECT_EQ(tickets.inHand().value(), 3);
    EXPECT_EQ(tickets.next().value(), 11);
    // A second handle (another copy of the program) continues, never repeats.
    TicketNumbers other(dir.path(), "Arrow Shop");
    EXPECT_EQ(other.next().value(), 12);
    EXPECT_EQ(tickets.next().value(), 40);
    const auto none = tickets.next();
    ASSERT_FALSE(none);
    EXPECT_EQ(none.status().code(), core::Status::Code::Unavailable);
}

TEST(TicketNumbers, RangesOfAnotherShopAreNotUsed) {
    TempDir dir;
    std::ofstream(dir / "Tickets.conf") << "counter c1\nshop Old Name\nrange 11 20\n";
    TicketNumbers tickets(dir.path(), "New Name");
    EXPECT_EQ(tickets.inHand().value(), 0);
}

TEST(TicketNumbers, ACounterOnItsOwnTablesKeepsItsFoldersCounter) {
    TempDir dir;
    CustomerBase base(dir.path());
    EXPECT_EQ(base.nextTicketNumber().value(), 1U);
    EXPECT_EQ(base.nextTicketNumber().value(), 2U);
    EXPECT_TRUE(std::filesystem::exists(dir / customers::kTicketsTableFile));
    EXPECT_FALSE(std::filesystem::exists(dir / "Tickets.conf"));
}

}  // namespace
}  // namespace quivra::chain
