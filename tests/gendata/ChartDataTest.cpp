// The charts against the catalogue: every entry a page can read finds its
// shaft through specs.idx, two-value weights sit only where a page reads
// them, stiffness never falls from row to row, and the rows the common
// set-ups land on are filled.

#include "ChartRule.h"
#include "CsvTable.h"
#include "GeneratedRunFolder.h"
#include "Numbers.h"
#include "ShaftModel.h"
#include "TableStore.h"

#include <gtest/gtest.h>

#include <map>

namespace quivra::gendata {
namespace {

namespace st = quivra::storage;

std::string trimmedField(const st::TableStore& t, const char* name) {
    auto r = t.fieldText(name);
    return r ? std::string(trimmed(*r)) : std::string("<unreadable>");
}

class ChartData : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string err;
        for (ChartKind kind : allCharts()) {
            auto csv = CsvTable::read(test::dataDir() / chartShape(kind).csvName, err);
            ASSERT_TRUE(csv) << err;
            auto chart = chartFromCsv(kind, *csv, err);
            ASSERT_TRUE(chart) << err;
            s_charts[kind] = *chart;
        }
        auto specs = CsvTable::read(test::dataDir() / "specs.csv", err);
        ASSERT_TRUE(specs) << err;
        auto cat = catalogueFromCsv(*specs, err);
        ASSERT_TRUE(cat) << err;
        for (const auto& r : *cat) s_byKey[r.key()] = r;
    }

    void SetUp() override {
        if (test::generatedRunFolder().empty()) GTEST_FAIL() << test::generatorError();
    }

    // Deflection of an entry part for the stiffness order: a carbon pointer
    // by its spine number, a shaft by its catalogue record.
    static std::optional<double> deflection(const std::string& size, const std::string& key) {
        if (size.empty()) return std::nullopt;
        if (key == "caw") return parseDouble(size).value_or(0) / 1000.0;
        auto it = s_byKey.find(size + key);
        if (it == s_byKey.end()) return std::nullopt;
        return it->second.deflection();
    }

    static inline std::map<ChartKind, Chart> s_charts;
    static inline std::map<std::string, SpecRecord> s_byKey;
};

TEST_F(ChartData, EveryEntryAPageReadsFindsItsShaftThroughTheIndex) {
    st::TableStore specs(test::generatedRunFolder() / "Specs.DBF");
    ASSERT_TRUE(specs.open()) << "Specs.DBF";
    ASSERT_TRUE(specs.selectIndex(test::generatedRunFolder() / "specs.idx"));
    int sought = 0;
    for (const auto& [kind, chart] : s_charts) {
        for (int row = 1; row <= static_cast<int>(chart.rows.size()); ++row) {
            for (const SeekKey& k : seekKeys(chart, row)) {
                auto found = specs.seek(k.key);
                ASSERT_TRUE(found.isOk()) << found.status().message();
                ASSERT_TRUE(*found) << k.where << ": no record for " << k.key;
                EXPECT_EQ(trimmedField(specs, "SIZE") + trimmedField(specs, "KEYSPINE"), k.key)
                    << k.where << ": the seek stopped on another shaft";
                ++sought;
                // The weight caption converts GPI as one number unless the
                // page's two-value test applies to this slot and model text.
                const std::string models =
                    trimmedField(specs, k.targetModels ? "TMODELS" : "HMODELS");
                const std::string gpi = *specs.fieldText("GPI");
                const bool twoValues =
                    !k.singleWeight && models == (k.targetModels ? "ZP,M4" : "KV,M4");
                if (twoValues) {
                    EXPECT_TRUE(parseDouble(gpi.substr(0, 4)) && parseDouble(gpi.substr(5, 4)))
                        << k.where << ": GPI '" << gpi << "' is no two-value text";
                } else {
                    EXPECT_TRUE(parseDouble(gpi))
                        << k.where << ": GPI '" << gpi << "' does not read as one number";
                }
            }
        }
    }
    EXPECT_GT(sought, 500);
}

TEST_F(ChartData, ChartTablesHoldTheCsvRows) {
    for (const auto& [kind, chart] : s_charts) {
        const ChartShape& shape = chartShape(kind);
        st::TableStore t(test::generatedRunFolder() / shape.dbfName);
        ASSERT_TRUE(t.open()) << shape.dbfName;
        ASSERT_EQ(t.recordCount(), chart.rows.size()) << shape.dbfName;
        for (std::uint32_t rec = 1; rec <= t.recordCount(); ++rec) {
            ASSERT_TRUE(t.goTo(rec));
            for (int n = 1; n <= shape.entries; ++n) {
                const auto& e = chart.rows[rec - 1][static_cast<std::size_t>(n - 1)];
                const std::string size = "SH" + std::to_string(n) + "SIZE";
                const std::string key = "SH" + std::to_string(n) + shape.keyField;
                EXPECT_EQ(trimmedField(t, size.c_str()), e.size) << shape.dbfName << " " << rec;
                EXPECT_EQ(trimmedField(t, key.c_str()), e.key) << shape.dbfName << " " << rec;
            }
        }
    }
}

TEST_F(ChartData, StiffnessNeverDecreasesFromRowToRow) {
    for (const auto& [kind, chart] : s_charts) {
        const ChartShape& shape = chartShape(kind);
        for (int n = 1; n <= shape.entries; ++n) {
            // Target entries 1-5 hold compound*recurve pairs, compared part by
            // part; rows 15 and 16 use them differently and are left out.
            const bool pairs = kind == ChartKind::Targ && n <= 5;
            for (int part = 0; part < (pairs ? 2 : 1); ++part) {
                double previous = 1e9;
                int previousRow = 0;
                for (int row = 1; row <= static_cast<int>(chart.rows.size()); ++row) {
                    if (pairs && (row == 15 || row == 16)) continue;
                    const auto& e = chart.rows[static_cast<std::size_t>(row - 1)]
                                              [static_cast<std::size_t>(n - 1)];
                    std::string size = e.size;
                    if (pairs && size.find('*') != std::string::npos)
                        size = part == 0 ? compoundPart(size) : recurvePart(size);
                    auto d = deflection(size, e.key);
                    if (!d) continue;
                    EXPECT_LE(*d, previous + 1e-9)
                        << shape.csvName << " entry " << n << ": row " << row << " (" << size
                        << ") is weaker than row " << previousRow;
                    previous = *d;
                    previousRow = row;
                }
            }
        }
    }
}

TEST_F(ChartData, NoRowListsTheSameShaftTwice) {
    for (const auto& [kind, chart] : s_charts) {
        const ChartShape& shape = chartShape(kind);
        for (std::size_t row = 0; row < chart.rows.size(); ++row) {
            const auto& entries = chart.rows[row];
            for (std::size_t j = 0; j < entries.size(); ++j) {
                for (std::size_t i = 0; i < j && !entries[j].empty(); ++i) {
                    EXPECT_FALSE(entries[i].size == entries[j].size &&
                                 entries[i].key == entries[j].key)
                        << shape.csvName << " row " << row + 1 << ": entries " << i + 1 << " and "
                        << j + 1 << " are both " << entries[j].size << " " << entries[j].key;
                }
            }
        }
    }
}

TEST_F(ChartData, CommonSetUpsLandOnFilledRows) {
    struct Case {
        ChartKind kind;
        int row;
        const char* setUp;
    };
    const Case cases[] = {
        {ChartKind::Hunt, 13, "Hunting compound hard cam 60 lb, 30 in, 100 gr"},
        {ChartKind::Targ, 13, "Target compound hard cam 60 lb, 28 in, 100 gr"},
        {ChartKind::Youth, 8, "Youth 30 lb, 25 in"},
        {ChartKind::Kstr, 13, "Kestra compound hard cam 60 lb, 28 in, 100 gr"},
    };
    for (const auto& c : cases) {
        const auto& row = s_charts[c.kind].rows[static_cast<std::size_t>(c.row - 1)];
        EXPECT_FALSE(row[0].empty()) << c.setUp;
        EXPECT_GE(seekKeys(s_charts[c.kind], c.row).size(), 4u) << c.setUp;
    }
    // Every row a valid search selects offers at least three shafts.
    for (const auto& [kind, chart] : s_charts) {
        const ChartShape& shape = chartShape(kind);
        for (int row = shape.firstValid; row <= shape.lastValid; ++row) {
            int filled = 0;
            for (const auto& e : chart.rows[static_cast<std::size_t>(row - 1)])
                filled += !e.empty();
            EXPECT_GE(filled, 3) << shape.csvName << " row " << row;
        }
    }
}

TEST_F(ChartData, HuntingCarbonPointersOpenAPanelOfTheirSpine) {
    int pointers = 0;
    const Chart& hunt = s_charts[ChartKind::Hunt];
    for (std::size_t r = 0; r < hunt.rows.size(); ++r) {
        const auto& row = hunt.rows[r];
        for (int n = 1; n <= 16; ++n) {
            const auto& e = row[static_cast<std::size_t>(n - 1)];
            if (e.key != "caw") continue;
            ++pointers;
            EXPECT_TRUE(n >= 3 && n <= 10) << "row " << r + 1 << " entry " << n;
            EXPECT_TRUE(parseInteger(e.size)) << "row " << r + 1 << ": " << e.size;
            bool inPanel = false;
            for (int p = 11; p <= 16; ++p)
                inPanel = inPanel || row[static_cast<std::size_t>(p - 1)].size == e.size;
            EXPECT_TRUE(inPanel) << "row " << r + 1 << ": no panel shaft of spine " << e.size;
        }
    }
    EXPECT_GE(pointers, 10);
}

TEST_F(ChartData, TargetSpecialLayoutsHaveEntries) {
    const Chart& targ = s_charts[ChartKind::Targ];
    for (int row = 8; row <= 14; ++row) {
        const std::string e5 = targ.rows[static_cast<std::size_t>(row - 1)][4].size;
        EXPECT_FALSE(compoundPart(e5).empty()) << "short arrows, compound, row " << row;
        EXPECT_FALSE(recurvePart(e5).empty()) << "short arrows, recurve, row " << row;
    }
    for (int row : {15, 16}) {
        int compoundSlots = 0;
        for (const SeekKey& k : seekKeys(targ, row))
            compoundSlots += k.where.find("compound row") != std::string::npos;
        EXPECT_GE(compoundSlots, 8) << "row " << row;
    }
    for (const auto& row : targ.rows)
        for (std::size_t n = 5; n < row.size(); ++n)
            EXPECT_EQ(row[n].size.find('*'), std::string::npos) << "pair in entry " << n + 1;
}

TEST_F(ChartData, KestraFillsOnlyTheRowsItSelects) {
    const Chart& kstr = s_charts[ChartKind::Kstr];
    for (std::size_t r = 0; r < kstr.rows.size(); ++r) {
        bool any = false;
        for (const auto& e : kstr.rows[r]) any = any || !e.empty();
        EXPECT_EQ(any, r + 1 >= 9 && r + 1 <= 19) << "row " << r + 1;
    }
}

}  // namespace
}  // namespace quivra::gendata
