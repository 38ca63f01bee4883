// Index files written by other software, and ours read by other software:
// the shared standard and compact samples must be read in their recorded
// order, and Perl's XBase::Index must read our file in key order.

#include "IndexTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

namespace quivra::storage::test {
namespace {

std::filesystem::path compactDir() {
    return std::filesystem::path(QUIVRA_SHARED_DIR) / "fixtures" / "xbase" / "compact";
}

#define SKIP_WITHOUT_SAMPLES()                                                                  \
    if (!std::filesystem::exists(compactDir() / "names.dbf")) {                                 \
        GTEST_SKIP() << "sample files not found in " << compactDir() << " (QUIVRA_SHARED_DIR)"; \
    }

std::vector<std::uint32_t> recordedOrder() {
    std::ifstream in(compactDir() / "names_order.txt");
    std::vector<std::uint32_t> order;
    std::uint32_t r = 0;
    while (in >> r) order.push_back(r);
    return order;
}

class SampleIndex : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleIndex, IsReadInTheRecordedOrder) {
    SKIP_WITHOUT_SAMPLES();
    TableStore t(compactDir() / "names.dbf");
    ASSERT_OK(t.open());
    ASSERT_OK(t.selectIndex(compactDir() / GetParam()));
    const auto order = recordedOrder();
    ASSERT_EQ(order.size(), 1995U);
    EXPECT_EQ(walkForward(t), order);
    auto reversed = order;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(walkBackward(t), reversed);
    EXPECT_OK(verifyIndex(compactDir() / "names.dbf", compactDir() / GetParam()));
}

TEST_P(SampleIndex, SeeksAgreeWithASortOfTheKeys) {
    SKIP_WITHOUT_SAMPLES();
    TableStore t(compactDir() / "names.dbf");
    ASSERT_OK(t.open());
    // Keys in UTF-8 as the handle reads them, in the recorded (byte) order.
    std::vector<std::pair<std::string, std::uint32_t>> keys;
    for (std::uint32_t r : recordedOrder()) {
        ASSERT_OK(t.goTo(r));
        keys.emplace_back(t.fieldText("NAME").valueOr(""), r);
    }
    ASSERT_OK(t.selectIndex(compactDir() / GetParam()));
    std::vector<std::string> probes = {"Sm",  "Smith", "Adams A", "M\xC3\xBCller", "\xC3\x85sa",
                                       "zzz", "",      "O'",      "smith",         "A"};
    std::mt19937 rng(7);
    for (int i = 0; i < 200; ++i) {
        const std::string& k = keys[rng() % keys.size()].first;
        std::size_t len = 1 + rng() % 8;
        while (len < k.size() && (static_cast<unsigned char>(k[len]) & 0xC0) == 0x80) --len;
        probes.push_back(k.substr(0, len));
    }
    for (const std::string& p : probes) {
        auto found = t.seek(p);
        ASSERT_TRUE(found.isOk()) << found.status().message();
        // The first key in order that begins with the text (byte order of
        // the code page, which for these names matches the UTF-8 prefix test).
        std::uint32_t expected = 0;
        for (const auto& [key, rec] : keys) {
            if (key.compare(0, p.size(), p) == 0) {
                expected = rec;
                break;
            }
        }
        EXPECT_EQ(*found, expected != 0) << p;
        EXPECT_EQ(t.recNo(), expected) << p;
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, SampleIndex,
                         ::testing::Values("names_std.idx", "names_compact.idx"),
                         [](const auto& param) {
                             return std::string(param.param).find("compact") != std::string::npos
                                        ? std::string("Compact")
                                        : std::string("Standard");
                         });

TEST(SampleIndex, CompactIndexIsRewrittenInTheStandardLayoutOnItsFirstChange) {
    SKIP_WITHOUT_SAMPLES();
    TempDir dir;
    std::filesystem::copy_file(compactDir() / "names.dbf", dir / "names.dbf");
    std::filesystem::copy_file(compactDir() / "names_compact.idx", dir / "names.idx");
    TableStore t(dir / "names.dbf");
    ASSERT_OK(t.open());
    ASSERT_OK(t.selectIndex("names.idx"));
    ASSERT_OK(appendRecord(t, {{"NAME", "Aaron A1"}}));
    ASSERT_TRUE(t.seek("Aaron").valueOr(false));
    EXPECT_EQ(t.recNo(), 1996U);
    EXPECT_EQ(readFile(dir / "names.idx")[14], '\0');  // no compact bit any more
    EXPECT_OK(verifyIndex(dir / "names.dbf", dir / "names.idx"));
}

// Perl's reader, run on a file we wrote; prints the record numbers in order.
std::vector<std::uint32_t> perlOrder(const std::filesystem::path& idx) {
    const std::string cmd =
        "perl -MXBase::Index -e 'my $i = XBase::Index->new($ARGV[0]) or die XBase::Index->errstr;"
        " $i->prepare_select; while (my ($k, $v) = $i->fetch) { print \"$v\\n\" }' '" +
        idx.string() + "' 2>&1";
    std::vector<std::uint32_t> order;
    FILE* pipe = ::popen(cmd.c_str(), "r");
    if (pipe == nullptr) return order;
    char line[64];
    while (std::fgets(line, sizeof line, pipe) != nullptr)
        order.push_back(static_cast<std::uint32_t>(std::strtoul(line, nullptr, 10)));
    ::pclose(pipe);
    return order;
}

// Perl's writer puts sibling page numbers where offsets belong and stops
// after five nodes, so only a one-node index of it is a fair sample.
TEST(PerlReader, ItsOneNodeIndexIsReadInKeyOrder) {
    if (std::system("perl -MXBase -MXBase::Index -e 1 >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "Perl XBase (libdbd-xbase-perl) is not installed";
    }
    TempDir dir;
    ASSERT_OK(TableStore::create(dir / "p.dbf", nameFields()));
    TableStore t(dir / "p.dbf", noSyncIo());
    ASSERT_OK(t.open());
    const std::vector<std::string> names = {"Smith", "adams",  "Zoe",    "Sm",    "\xC3\xA9mile",
                                            "Baker", "Smythe", "O'Neil", "Adams", "Baker Jr"};
    for (const std::string& n : names) ASSERT_OK(appendRecord(t, {{"NAME", n}}));
    t.close();
    const std::string cmd =
        "cd '" + dir.path().string() +
        "' && perl -MXBase -MXBase::Index -e 'my $t = XBase->new(\"p.dbf\") or die "
        "XBase->errstr; XBase::idx->create($t, \"p.idx\", \"NAME\")' 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    ASSERT_OK(t.open());
    ASSERT_OK(t.selectIndex("p.idx"));
    EXPECT_EQ(walkForward(t), sortedByName({"Smith", "adams", "Zoe", "Sm", "\xE9mile", "Baker",
                                            "Smythe", "O'Neil", "Adams", "Baker Jr"}));
    ASSERT_TRUE(t.seek("Smy").valueOr(false));
    EXPECT_EQ(t.recNo(), 7U);
    EXPECT_OK(verifyIndex(dir / "p.dbf", dir / "p.idx"));
}

TEST(PerlReader, ReadsOurIndexInKeyOrder) {
    if (std::system("perl -MXBase::Index -e 1 >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "Perl XBase::Index (libdbd-xbase-perl) is not installed";
    }
    TempDir dir;
    ASSERT_OK(TableStore::create(dir / "t.dbf", nameFields()));
    TableStore t(dir / "t.dbf", noSyncIo());
    ASSERT_OK(t.open());
    std::vector<std::string> names;
    std::mt19937 rng(3);
    for (int i = 0; i < 700; ++i) names.push_back("N" + std::to_string(rng() % 500));
    ASSERT_OK(t.createIndex("t.idx", "NAME"));
    ASSERT_OK(t.selectIndex("t.idx"));
    // Half through the bulk build, half through live inserts with splits.
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i == 350) {
            ASSERT_OK(t.rebuildIndex());
        }
        ASSERT_OK(appendRecord(t, {{"NAME", names[i]}}));
    }
    EXPECT_EQ(perlOrder(dir / "t.idx"), sortedByName(names));
}

}  // namespace
}  // namespace quivra::storage::test
