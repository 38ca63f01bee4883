// Builds on a real server: a version 2 database brought up with its build
// row kept, every field of a build stored and read back exactly (hostile
// texts, awkward doubles, empty optionals), and a repeated send kept once.

#include "BuildSamples.h"
#include "BuildSql.h"
#include "PgTestSupport.h"
#include "Schema.h"
#include "SetupSql.h"

namespace quivra::chain::test {
namespace {

using customers::SavedBuild;

class BuildServerTest : public ServerTest {
protected:
    // A shop with one set-up; its id and the set-up's UUID.
    std::pair<int, std::string> shopWithSetup() {
        auto shop = shopId(*m_db, "Build Shop");
        EXPECT_TRUE(shop) << shop.status().message();
        const std::string setup = newUuid();
        customers::SavedSetup s;
        s.address.name = "Archer";
        EXPECT_TRUE(insertSetup(*m_db, *shop, setup, s, utcNowText()).valueOr(false));
        return {shop.valueOr(0), setup};
    }
    // The build `uuid` as buildFromRow() reads it beside a set-up's columns.
    SavedBuild readBack(const std::string& uuid, std::string* id = nullptr) {
        auto rows = m_db->exec("SELECT s.name, " + buildColumns("b") +
                                   " FROM builds b JOIN setups s ON s.id = b.setup_id "
                                   "WHERE b.id = $1",
                               {uuid});
        EXPECT_TRUE(rows) << rows.status().message();
        EXPECT_EQ(rows->rows(), 1);
        EXPECT_EQ(rows->columns(), 1 + buildColumnCount());
        return rows->rows() == 1 ? buildFromRow(*rows, 0, 1, id) : SavedBuild{};
    }
};

TEST_F(BuildServerTest, VersionTwoIsBroughtUpWithItsBuildKept) {
    ASSERT_TRUE(migrate(*m_db, 2));
    sql("INSERT INTO shops (name) VALUES ('Old Shop')");
    sql("INSERT INTO setups (id, shop_id, name) SELECT "
        "'6f1c1f0e-0000-4000-8000-000000000001', id, 'Miller' FROM shops");
    sql("INSERT INTO builds (id, setup_id, shop_id, ticket_no, shaft_key, shaft_size, models, "
        "shaft_length_in, point_gr, quantity, foc_percent, notes) SELECT "
        "'6f1c1f0e-0000-4000-8000-0000000000b1', '6f1c1f0e-0000-4000-8000-000000000001', id, 7, "
        "'340CH', '340', 'CH', 29.5, 100, 6, 11.25, 'kept' FROM shops");
    ASSERT_TRUE(migrate(*m_db));
    EXPECT_EQ(schemaVersion(*m_db).value(), 3);
    std::string id;
    const SavedBuild b = readBack("6f1c1f0e-0000-4000-8000-0000000000b1", &id);
    EXPECT_EQ(id, "6f1c1f0e-0000-4000-8000-0000000000b1");
    EXPECT_EQ(b.shaftKey, "340CH");
    EXPECT_EQ(b.size, "340");
    EXPECT_EQ(b.lengthIn, 29.5);
    EXPECT_EQ(b.pointGr, 100.0);
    EXPECT_EQ(b.quantity, 6);
    EXPECT_EQ(b.focPercent, 11.25);
    EXPECT_FALSE(b.speedFps);
    EXPECT_EQ(b.grainsPerInch, 0.0);  // a column version 2 lacked
    EXPECT_EQ(b.notes, "kept");
    EXPECT_EQ(sql("SELECT ticket_no FROM builds").text(0, 0), "7");
    // The newest build of a set-up is read from the (setup_id, created) index.
    sql("SET enable_seqscan = off");
    const PgRows explained =
        sql("EXPLAIN SELECT id FROM builds WHERE setup_id = "
            "'6f1c1f0e-0000-4000-8000-000000000001' ORDER BY created DESC, id DESC LIMIT 1");
    std::string plan;
    for (int i = 0; i < explained.rows(); ++i) plan += explained.text(i, 0) + "\n";
    EXPECT_NE(plan.find("builds_setup_created"), std::string::npos) << plan;
}

TEST_F(BuildServerTest, EveryFieldIsKeptExactlyAndARepeatedSendOnce) {
    ASSERT_TRUE(migrate(*m_db));
    const auto [shop, setup] = shopWithSetup();

    const SavedBuild hostile = hostileBuild();
    const SavedBuild empty = withoutOptionals(hostile);

    for (const SavedBuild& build : {hostile, empty}) {
        const std::string uuid = newUuid();
        auto added = insertBuild(*m_db, shop, uuid, setup, build, utcNowText());
        ASSERT_TRUE(added) << added.status().message();
        EXPECT_TRUE(*added);
        EXPECT_EQ(readBack(uuid), build);
        // Sent again (a sync retried after a lost answer): kept once.
        auto again = insertBuild(*m_db, shop, uuid, setup, build, utcNowText());
        ASSERT_TRUE(again) << again.status().message();
        EXPECT_FALSE(*again);
    }
    EXPECT_EQ(sql("SELECT count(*) FROM builds").text(0, 0), "2");
    EXPECT_EQ(sql("SELECT count(*) FROM builds WHERE foc_percent IS NULL AND speed_fps IS NULL "
                  "AND rating_fps IS NULL AND balance_in IS NULL AND sight_radius_in IS NULL")
                  .text(0, 0),
              "1");
    EXPECT_EQ(sql("SELECT grains_per_inch::text FROM builds LIMIT 1").text(0, 0), "0.0000001");

    // What the server cannot keep is refused before it is sent, naming the field.
    SavedBuild nul = hostile;
    nul.notes = std::string("a\0b", 3);
    auto refused = insertBuild(*m_db, shop, newUuid(), setup, nul, utcNowText());
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.status().message().find("notes"), std::string::npos);
    // A build of no set-up on the server is an error, not a build.
    EXPECT_FALSE(insertBuild(*m_db, shop, newUuid(), newUuid(), hostile, utcNowText()));
    EXPECT_EQ(sql("SELECT count(*) FROM builds").text(0, 0), "2");
}

}  // namespace
}  // namespace quivra::chain::test
