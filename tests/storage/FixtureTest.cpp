// Tables written by other xBase software: the schema of every sample file
// must read exactly as its summary lists it, and the values of the records
// given in the .yml files must read back.  Skipped when the samples are absent.
#include "TableStore.h"

#include "TestTables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace quivra::storage::test {
namespace {

const std::filesystem::path kFixtures =
    std::filesystem::path(QUIVRA_SHARED_DIR) / "fixtures" / "xbase";

#define SKIP_WITHOUT_FIXTURES()              \
    if (!std::filesystem::exists(kFixtures)) \
    GTEST_SKIP() << "sample tables not found in " << kFixtures.string()

struct Summary {
    int version = -1;
    std::uint32_t records = 0;
    std::vector<FieldDef> fields;
};

// Reads "Type: (30) ...", "Records: N" and the Name/Type/Length/Decimal rows.
Summary readSummary(const std::filesystem::path& file) {
    Summary s;
    std::ifstream in(file);
    std::string line;
    bool inFields = false;
    while (std::getline(in, line)) {
        if (line.rfind("Type: (", 0) == 0) s.version = std::stoi(line.substr(7, 2), nullptr, 16);
        if (line.rfind("Records: ", 0) == 0)
            s.records = static_cast<std::uint32_t>(std::stoul(line.substr(9)));
        if (line.rfind("-----", 0) == 0) {
            inFields = true;
            continue;
        }
        if (!inFields) continue;
        std::istringstream row(line);
        FieldDef f;
        std::string type;
        unsigned length = 0;
        unsigned decimals = 0;
        if (row >> f.name >> type >> length >> decimals) {
            f.type = type[0];
            f.length = static_cast<std::uint8_t>(length);
            f.decimals = static_cast<std::uint8_t>(decimals);
            s.fields.push_back(f);
        }
    }
    return s;
}

class SummaryTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SummaryTest, SchemaAndCountMatch) {
    SKIP_WITHOUT_FIXTURES();
    const std::string name = GetParam();
    const Summary expected = readSummary(kFixtures / (name + "_summary.txt"));
    ASSERT_FALSE(expected.fields.empty());
    TableStore t(kFixtures / (name + ".dbf"));
    ASSERT_OK(t.open());
    if (name == "dbase_03") {
        // Its writer named two fields Point_ID: read, but reported, so that
        // nothing is written into it.
        EXPECT_NE(t.damage().message().find("two fields are named Point_ID"), std::string::npos)
            << t.damage().message();
        EXPECT_FALSE(t.appendBlank().isOk());
    } else {
        EXPECT_OK(t.damage());
    }
    EXPECT_EQ(t.version(), expected.version);
    EXPECT_EQ(t.recordCount(), expected.records);
    ASSERT_EQ(t.fields().size(), expected.fields.size());
    for (std::size_t i = 0; i < expected.fields.size(); ++i) {
        const FieldDef& got = t.fields()[i];
        EXPECT_EQ(got.name, expected.fields[i].name);
        EXPECT_EQ(got.type, expected.fields[i].type) << got.name;
        EXPECT_EQ(got.length, expected.fields[i].length) << got.name;
        EXPECT_EQ(got.decimals, expected.fields[i].decimals) << got.name;
    }
    // Every field of every record reads (memos included) without an error.
    std::uint32_t seen = 0;
    ASSERT_OK(t.first());
    while (!t.eof()) {
        for (const FieldDef& f : t.fields()) {
            auto v = t.fieldText(f.name);
            ASSERT_TRUE(v.isOk()) << "record " << t.recNo() << " " << f.name << ": "
                                  << v.status().message();
        }
        ++seen;
        ASSERT_OK(t.next());
    }
    EXPECT_EQ(seen, expected.records);
}

INSTANTIATE_TEST_SUITE_P(Samples, SummaryTest,
                         ::testing::Values("dbase_03", "dbase_83", "dbase_f5", "dbase_30",
                                           "cp1251"));

// A scalar of the .yml record files: a number, a boolean or a text.
struct YamlValue {
    enum Kind { Number, Boolean, Text } kind;
    std::string text;
};

std::vector<YamlValue> readYamlList(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Items may be indented ("  - x") or not ("- x").
    for (std::size_t at = 0; (at = all.find("\n  - ", at)) != std::string::npos;)
        all.erase(at + 1, 2);
    std::vector<YamlValue> values;
    std::size_t pos = 0;
    while ((pos = all.find("\n- ", pos)) != std::string::npos) {
        pos += 3;
        YamlValue v{YamlValue::Text, {}};
        if (all[pos] == '"') {
            // Double-quoted, folded: a line break and its indentation read as one blank.
            for (++pos; pos < all.size() && all[pos] != '"'; ++pos) {
                if (all[pos] == '\\') {
                    const char e = all[++pos];
                    v.text += e == 'r' ? '\r' : e == 'n' ? '\n' : e;
                } else if (all[pos] == '\n') {
                    while (pos + 1 < all.size() && all[pos + 1] == ' ') ++pos;
                    v.text += ' ';
                } else {
                    v.text += all[pos];
                }
            }
        } else {
            const std::size_t end = all.find('\n', pos);
            v.text = all.substr(pos, end - pos);
            if (v.text.size() >= 2 && v.text.front() == '\'') {
                v.text = v.text.substr(1, v.text.size() - 2);
            } else if (v.text == "true" || v.text == "false") {
                v.kind = YamlValue::Boolean;
            } else if (v.text.find_first_not_of("0123456789.-") == std::string::npos) {
                v.kind = YamlValue::Number;
            }
        }
        values.push_back(v);
    }
    return values;
}

struct RecordCase {
    const char* yml;
    std::uint32_t recNo;
};

class RecordValuesTest : public ::testing::TestWithParam<RecordCase> {};

TEST_P(RecordValuesTest, ValuesMatch) {
    SKIP_WITHOUT_FIXTURES();
    const auto values = readYamlList(kFixtures / GetParam().yml);
    TableStore t(kFixtures / "dbase_83.dbf");
    ASSERT_OK(t.open());
    ASSERT_OK(t.goTo(GetParam().recNo));
    ASSERT_EQ(values.size(), t.fields().size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        const FieldDef& f = t.fields()[i];
        const YamlValue& v = values[i];
        switch (v.kind) {
            case YamlValue::Number:
                EXPECT_DOUBLE_EQ(t.fieldFloat(f.name).valueOr(-1), std::stod(v.text)) << f.name;
                break;
            case YamlValue::Boolean:
                EXPECT_EQ(t.fieldText(f.name).valueOr("?"), v.text == "true" ? "T" : "F") << f.name;
                break;
            case YamlValue::Text: {
                std::string got = t.fieldText(f.name).valueOr("<error>");
                got.erase(got.find_last_not_of(' ') + 1);
                EXPECT_EQ(got, v.text) << f.name;
                break;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Dbase83, RecordValuesTest,
                         ::testing::Values(RecordCase{"dbase_83_record_0.yml", 1},
                                           RecordCase{"dbase_83_record_9.yml", 10}));

TEST(FixtureTest, Cp1251TextsComeBackAsUtf8) {
    SKIP_WITHOUT_FIXTURES();
    TableStore t(kFixtures / "cp1251.dbf");
    ASSERT_OK(t.open());
    EXPECT_EQ(t.codePage(), CodePage::Cp1251);
    ASSERT_OK(t.goTo(3));
    EXPECT_EQ(t.fieldText("NAME").valueOr("").substr(0, 6), "НИИ");
    EXPECT_EQ(t.fieldInt("RN").valueOr(0), 3);
}

TEST(FixtureTest, VisualFoxProTypesAndHiddenNullFlags) {
    SKIP_WITHOUT_FIXTURES();
    TableStore t(kFixtures / "foxprodb" / "calls.dbf");
    ASSERT_OK(t.open());
    EXPECT_EQ(t.fieldIndex("_NullFlags"), -1);
    EXPECT_EQ(t.fieldText("CALL_ID").valueOr(""), "1");                 // I: 32-bit integer
    EXPECT_EQ(t.fieldText("CALL_DATE").valueOr(""), "19941121133539");  // T: date and time
    EXPECT_EQ(t.fieldText("SUBJECT").valueOr("").substr(0, 21), "Buy flavored coffees.");
    EXPECT_EQ(t.fieldText("NOTES").valueOr("").substr(0, 16),
              "Nancy told me ab");  // 4-byte memo pointer
    // At end of table binary fields read as blanks too.
    ASSERT_OK(t.last());
    ASSERT_OK(t.next());
    EXPECT_EQ(t.fieldText("CALL_ID").valueOr("?"), "");
    EXPECT_EQ(t.fieldInt("CALL_ID").valueOr(-1), 0);
    EXPECT_EQ(t.fieldText("CALL_DATE").valueOr("?"), "");
    // Visual FoxPro tables are read, never written.
    EXPECT_EQ(t.appendBlank().code(), Status::Code::Unsupported);
}

TEST(FixtureTest, FoxProMemoWithUnpaddedLastBlock) {
    SKIP_WITHOUT_FIXTURES();
    TableStore t(kFixtures / "dbase_f5.dbf");
    ASSERT_OK(t.open());
    ASSERT_OK(t.last());
    std::size_t memos = 0;
    ASSERT_OK(t.first());
    while (!t.eof()) {
        if (!t.fieldText("OBSE").valueOr("").empty()) ++memos;
        ASSERT_OK(t.next());
    }
    EXPECT_GT(memos, 0U);
}

TEST(FixtureTest, NamesWithAccentsAndApostrophes) {
    SKIP_WITHOUT_FIXTURES();
    TableStore t(kFixtures / "compact" / "names.dbf");
    ASSERT_OK(t.open());
    EXPECT_EQ(t.recordCount(), 1995U);
    EXPECT_EQ(t.fieldText("NAME").valueOr("").substr(0, 11), "O'Neil O582");
}

}  // namespace
}  // namespace quivra::storage::test
