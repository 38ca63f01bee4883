// The table handle: creating, appending, editing, navigating and reading fields.
#include "Clock.h"
#include "TableStore.h"

#include "TempDir.h"
#include "TestTables.h"

#include <gtest/gtest.h>

namespace quivra::storage::test {
namespace {

class TableStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_OK(TableStore::create(m_file, customerFields())); }

    // Three records: Ann, Bob, Cy.
    void fillThree() {
        TableStore t(m_file);
        ASSERT_OK(t.open());
        ASSERT_OK(appendRecord(t, {{"NAME", "Ann"}, {"BOWWT", "60"}, {"ARLEN", "30"}}));
        ASSERT_OK(appendRecord(
            t, {{"NAME", "Bob"}, {"BOWWT", "45.5"}, {"COMMENTS", "likes \"carbon\""}}));
        ASSERT_OK(appendRecord(t, {{"NAME", "Cy"}, {"SAVED", "20240229"}, {"ACTIVE", "T"}}));
    }

    static std::string text(const TableStore& t, const char* field) {
        auto r = t.fieldText(field);
        EXPECT_TRUE(r.isOk()) << r.status().message();
        return r.valueOr("<error>");
    }

    TempDir m_dir;
    std::filesystem::path m_file = m_dir / "Saveddb.dbf";
};

TEST_F(TableStoreTest, NewTableIsEmptyFoxProWithMemo) {
    TableStore t(m_file);
    ASSERT_OK(t.open());
    EXPECT_EQ(t.version(), 0xF5);
    EXPECT_EQ(t.codePage(), CodePage::Cp1252);
    EXPECT_EQ(t.recordCount(), 0U);
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(text(t, "NAME"), std::string(30, ' '));
    EXPECT_EQ(t.fieldInt("BOWWT").valueOr(-1), 0);
    EXPECT_TRUE(std::filesystem::exists(m_dir / "Saveddb.fpt"));
    const std::string bytes = readFile(m_file);
    EXPECT_EQ(bytes.back(), '\x1A');
}

TEST_F(TableStoreTest, TableWithoutMemoIsVersion3) {
    const auto file = m_dir / "plain.dbf";
    ASSERT_OK(TableStore::create(file, {{"A", 'C', 4, 0}}));
    TableStore t(file);
    ASSERT_OK(t.open());
    EXPECT_EQ(t.version(), 0x03);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "plain.fpt"));
}

TEST_F(TableStoreTest, ValuesReadBackAsWritten) {
    fillThree();
    TableStore t(m_file);
    ASSERT_OK(t.open());
    EXPECT_EQ(t.recordCount(), 3U);
    EXPECT_EQ(t.recNo(), 1U);
    EXPECT_EQ(text(t, "name"), "Ann" + std::string(27, ' '));  // padded, any case
    EXPECT_EQ(text(t, "BOWWT"), "60.0");
    EXPECT_EQ(t.fieldInt("BOWWT").valueOr(-1), 60);
    EXPECT_EQ(t.fieldInt("ARLEN").valueOr(-1), 30);
    EXPECT_EQ(text(t, "ACTIVE"), " ");
    EXPECT_EQ(text(t, "SAVED"), "");
    EXPECT_EQ(text(t, "COMMENTS"), "");
    ASSERT_OK(t.next());
    EXPECT_DOUBLE_EQ(t.fieldFloat("BOWWT").valueOr(-1), 45.5);
    EXPECT_EQ(text(t, "COMMENTS"), "likes \"carbon\"");
    ASSERT_OK(t.next());
    EXPECT_EQ(text(t, "SAVED"), "20240229");
    EXPECT_EQ(text(t, "ACTIVE"), "T");
}

TEST_F(TableStoreTest, AccentedTextsRoundTripThroughTheCodePage) {
    TableStore t(m_file);
    ASSERT_OK(t.open());
    ASSERT_OK(appendRecord(t, {{"NAME", "Zoë Ørsted-Müller"}, {"COMMENTS", "Prêt à tirer, 5 €"}}));
    ASSERT_OK(t.goTo(1));
    EXPECT_EQ(text(t, "NAME").substr(0, 20), "Zoë Ørsted-Müller");
    EXPECT_EQ(text(t, "COMMENTS"), "Prêt à tirer, 5 €");
    // One byte per character in the file (cp1252).
    EXPECT_NE(readFile(m_file).find("Zo\xEB \xD8rsted-M\xFCller"), std::string::npos);
}

TEST_F(TableStoreTest, TextTheCodePageCannotHoldIsRefusedNamingTheField) {
    TableStore t(m_file);
    ASSERT_OK(t.open());
    ASSERT_OK(t.appendBlank());
    const Status s = t.setFieldText("CITY", "Łódź");
    EXPECT_EQ(s.code(), Status::Code::Encoding);
    EXPECT_NE(s.message().find("CITY"), std::string::npos) << s.message();
    EXPECT_EQ(t.setFieldText("COMMENTS", "日本").code(), Status::Code::Encoding);
    EXPECT_EQ(t.setFieldText("NAME", std::string("\xC3", 1)).code(), Status::Code::Encoding);
}

TEST_F(TableStoreTest, Cp1251TableHoldsCyrillic) {
    const auto file = m_dir / "ru.dbf";
    ASSERT_OK(TableStore::create(file, {{"NAME", 'C', 20, 0}}, CodePage::Cp1251));
    TableStore t(file);
    ASSERT_OK(t.open());
    EXPECT_EQ(t.codePage(), CodePage::Cp1251);
    ASSERT_OK(appendRecord(t, {{"NAME", "Лучник"}}));
    EXPECT_EQ(text(t, "NAME").substr(0, 12), "Лучник");
    ASSERT_OK(t.edit());
    EXPECT_EQ(t.setFieldText("NAME", "é").code(), Status::Code::Encoding);  // not in cp1251
}

TEST_F(TableStoreTest, NavigationFollowsPhysicalOrder) {
    fillThree();
    TableStore t(m_file);
    ASSERT_OK(t.open());
    ASSERT_OK(t.last());
    EXPECT_EQ(t.recNo(), 3U);
    ASSERT_OK(t.next());
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.recNo(), 0U);
    EXPECT_EQ(text(t, "NAME"), std::string(30, ' '));  // blanks at end of table
    EXPECT_EQ(t.fieldInt("BOWWT").valueOr(-1), 0);
    ASSERT_OK(t.next());  // stays at end
    EXPECT_TRUE(t.eof());
    ASSERT_OK(t.previous());  // back onto the last record
    EXPECT_EQ(t.recNo(), 3U);
    ASSERT_OK(t.first());
    ASSERT_OK(t.previous());
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(t.recNo(), 1U);
    ASSERT_OK(t.goTo(2));
    EXPECT_EQ(text(t, "NAME").substr(0, 3), "Bob");
    EXPECT_EQ(t.goTo(4).code(), Status::Code::InvalidArgument);
    EXPECT_EQ(t.goTo(0).code(), Status::Code::InvalidArgument);
    EXPECT_EQ(t.recNo(), 2U);  // a failed goTo does not move
}

TEST_F(TableStoreTest, OpeningAnOpenTableKeepsTheCurrentRecord) {
    fillThree();
    TableStore t(m_file);
    ASSERT_OK(t.open());
    ASSERT_OK(t.goTo(3));
    ASSERT_OK(t.open());
    EXPECT_EQ(t.recNo(), 3U);
    t.close();
    EXPECT_FALSE(t.isOpen());
    ASSERT_OK(t.open());
    EXPECT_EQ(t.recNo(), 1U);
}

TEST_F(TableStoreTest, DeletedRecordsAreSkippedByNavigationOnly) {
    fillThree();
    std::string bytes = readFile(m_file);
    TableStore probe(m_file);
    ASSERT_OK(probe.open());
    const auto header =
        static_cast<unsigned char>(bytes[8]) | (static_cast<unsigned char>(bytes[9]) << 8);
    const auto length =
        static_cast<unsigned char>(bytes[10]) | (static_cast<unsigned char>(bytes[11]) << 8);
    probe.close();
    bytes[static_cast<std::size_t>(header)] = '*';               // record 1
    bytes[static_cast<std::size_t>(header + 2 * length)] = '*';  // record 3
    writeFile(m_file, bytes);

    TableStore t(m_file);
    ASSERT_OK(t.open());
    EXPECT_EQ(t.recNo(), 2U);
    ASSERT_OK(t.next());
    EXPECT_TRUE(t.eof());
    ASSERT_OK(t.last());
    EXPECT_EQ(t.recNo(), 2U);
    ASSERT_OK(t.goTo(3));
    EXPECT_TRUE(t.isDeleted());
    EXPECT_EQ(t.recordCount(), 3U);
}

TEST_F(TableStoreTest, EditPostRewritesInPlaceAndCancelDrops) {
    fillThree();
    TableStore t(m_file);
    ASSERT_OK(t.open());
    ASSERT_OK(t.goTo(2));
    ASSERT_OK(t.edit());
    EXPECT_EQ(t.editState(), EditState::Edit);
    ASSERT_OK(t.setFieldText("CITY", "Springfield"));
    EXPECT_EQ(text(t, "CITY").substr(0, 11), "Springfield");  // the pending value
    t.cancel();
    EXPECT_EQ(text(t, "CITY"), std::string(20, ' '));

    ASSERT_OK(t.edit());
    ASSERT_OK(t.setFieldText("CITY", "Shelbyville"));
    ASSERT_OK(t.setFieldText("COMMENTS", "second memo"));
    ASSERT_OK(t.post());
    EXPECT_EQ(t.editState(), EditState::Browse);

    TableStore other(m_file);
    ASSERT_OK(other.open());
    ASSERT_OK(other.goTo(2));
    EXPECT_EQ(text(other, "CITY").substr(0, 11), "Shelbyville");
    EXPECT_EQ(text(other, "COMMENTS"), "second memo");
    EXPECT_EQ(text(other, "NAME").substr(0, 3), "Bob");
    EXPECT_EQ(other.recordCount(), 3U);
}

TEST_F(TableStoreTest, MovingPostsAModifiedRecordAndDropsAnUntouchedOne) {
    fillThree();
    TableStore t(m_file);
    ASSERT_OK(t.open());
    ASSERT_OK(t.edit());
    ASSERT_OK(t.setFieldText("CITY", "Moved"));
    ASSERT_OK(t.next());
    ASSERT_OK(t.first());
    EXPECT_EQ(text(t, "CITY").substr(0, 5), "Moved");

    ASSERT_OK(t.appendBlank());
    ASSERT_OK(t.last());  // nothing was set: no record is added
    EXPECT_EQ(t.recordCount(), 3U);
}

TEST_F(TableStoreTest, RefusedFieldWriteKeepsTheRecordPending) {
    TableStore t(m_file);
    ASSERT_OK(t.open());
    ASSERT_OK(t.appendBlank());
    EXPECT_EQ(t.setFieldText("ARLEN", "123456").code(), Status::Code::InvalidArgument);  // N(4)
    ASSERT_OK(t.setFieldText("NAME", "Still here"));
    EXPECT_EQ(t.editState(), EditState::Append);
    ASSERT_OK(t.post());
    EXPECT_EQ(t.recordCount(), 1U);
    EXPECT_EQ(t.recNo(), 1U);
}

TEST_F(TableStoreTest, HeaderDateOfAWriteComesFromTheClock) {
    using namespace std::chrono;
    const core::FixedClock clock({.date = year{2031} / May / day{9}});
    const core::ScopedClock inForce(clock);
    TableStore t(m_file);
    ASSERT_OK(t.open());
    ASSERT_OK(t.appendBlank());
    ASSERT_OK(t.setFieldText("NAME", "Dated"));
    ASSERT_OK(t.post());
    t.close();
    const std::string header = readFile(m_file);
    ASSERT_GE(header.size(), 4U);
    EXPECT_EQ(static_cast<unsigned char>(header[1]), 131U);  // years since 1900
    EXPECT_EQ(static_cast<unsigned char>(header[2]), 5U);
    EXPECT_EQ(static_cast<unsigned char>(header[3]), 9U);
}

TEST_F(TableStoreTest, WritesNeedEditModeAndKnownFields) {
    fillThree();
    TableStore t(m_file);
    EXPECT_EQ(t.fieldText("NAME").status().code(), Status::Code::InvalidArgument);  // not open
    ASSERT_OK(t.open());
    EXPECT_EQ(t.setFieldText("NAME", "x").code(), Status::Code::InvalidArgument);
    const Status unknown = t.fieldText("NOPE").status();
    EXPECT_NE(unknown.message().find("NOPE"), std::string::npos);
    EXPECT_NE(unknown.message().find("Saveddb.dbf"), std::string::npos);
    EXPECT_OK(t.post());  // nothing pending: nothing to do
}

TEST_F(TableStoreTest, CharacterTextsAreCutAtTheFieldWidth) {
    TableStore t(m_file);
    ASSERT_OK(t.open());
    ASSERT_OK(appendRecord(t, {{"CITY", "A city whose name is far too long"}}));
    EXPECT_EQ(text(t, "CITY"), "A city whose name is");
}

struct FieldCase {
    const char* name;
    const char* field;
    const char* input;
    Status::Code code;
    const char* stored;  // fieldText afterwards, when accepted
};

class FieldValueTest : public TableStoreTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(FieldValueTest, WritesOrRefuses) {
    const FieldCase& c = GetParam();
    TableStore t(m_file);
    ASSERT_OK(t.open());
    ASSERT_OK(t.appendBlank());
    const Status s = t.setFieldText(c.field, c.input);
    EXPECT_EQ(s.code(), c.code) << s.message();
    if (s.isOk()) {
        EXPECT_EQ(text(t, c.field), c.stored);
    } else {
        EXPECT_NE(s.message(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, FieldValueTest,
    ::testing::Values(
        FieldCase{"NumberRounded", "BOWWT", "60.04", Status::Code::Ok, "60.0"},
        FieldCase{"NumberTrimmed", "ARLEN", " 29 ", Status::Code::Ok, "29"},
        FieldCase{"NegativeNumber", "BOWWT", "-12.5", Status::Code::Ok, "-12.5"},
        FieldCase{"BlankNumber", "ARLEN", "", Status::Code::Ok, ""},
        FieldCase{"NumberTooWide", "ARLEN", "12345", Status::Code::InvalidArgument, ""},
        FieldCase{"NotANumber", "BOWWT", "sixty", Status::Code::Conversion, ""},
        FieldCase{"NotAnInteger", "ARLEN", "3O", Status::Code::Conversion, ""},
        FieldCase{"Date", "SAVED", "20231231", Status::Code::Ok, "20231231"},
        FieldCase{"BlankDate", "SAVED", "  ", Status::Code::Ok, ""},
        FieldCase{"ImpossibleDate", "SAVED", "20230230", Status::Code::InvalidArgument, ""},
        FieldCase{"DateWithDashes", "SAVED", "2023-12-31", Status::Code::InvalidArgument, ""},
        FieldCase{"LogicalYes", "ACTIVE", "y", Status::Code::Ok, "T"},
        FieldCase{"LogicalDotted", "ACTIVE", ".F.", Status::Code::Ok, "F"},
        FieldCase{"LogicalJunk", "ACTIVE", "maybe", Status::Code::InvalidArgument, ""}),
    [](const auto& param) { return std::string(param.param.name); });

struct ConversionCase {
    const char* name;
    const char* text;
    bool intOk;
    std::int32_t intValue;
    bool floatOk;
    double floatValue;
};

class ConversionTest : public TableStoreTest,
                       public ::testing::WithParamInterface<ConversionCase> {};

TEST_P(ConversionTest, CharacterFieldAsNumber) {
    const ConversionCase& c = GetParam();
    TableStore t(m_file);
    ASSERT_OK(t.open());
    ASSERT_OK(appendRecord(t, {{"CITY", c.text}}));
    auto i = t.fieldInt("CITY");
    auto f = t.fieldFloat("CITY");
    ASSERT_EQ(i.isOk(), c.intOk) << c.text;
    ASSERT_EQ(f.isOk(), c.floatOk) << c.text;
    if (c.intOk) {
        EXPECT_EQ(*i, c.intValue);
    }
    if (c.floatOk) {
        EXPECT_DOUBLE_EQ(*f, c.floatValue);
    }
    std::string trimmed = c.text;
    trimmed.erase(0, trimmed.find_first_not_of(' '));
    trimmed.erase(trimmed.find_last_not_of(' ') + 1);
    if (!c.intOk) {
        EXPECT_EQ(i.status().message(), "'" + trimmed + "' is not a valid integer value");
    }
    if (!c.floatOk) {
        EXPECT_EQ(f.status().message(), "'" + trimmed + "' is not a valid floating point value");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConversionTest,
    ::testing::Values(ConversionCase{"Blank", "", true, 0, true, 0.0},
                      ConversionCase{"Padded", "  42 ", true, 42, true, 42.0},
                      ConversionCase{"Plus", "+7", true, 7, true, 7.0},
                      ConversionCase{"Negative", "-3", true, -3, true, -3.0},
                      ConversionCase{"Decimal", "6.5", false, 0, true, 6.5},
                      ConversionCase{"Exponent", "1e3", false, 0, true, 1000.0},
                      ConversionCase{"Word", "abc", false, 0, false, 0.0},
                      ConversionCase{"Comma", "6,5", false, 0, false, 0.0},
                      ConversionCase{"Infinity", "inf", false, 0, false, 0.0},
                      ConversionCase{"TooBig", "3000000000", false, 0, true, 3e9},
                      ConversionCase{"TwoSigns", "+-1", false, 0, false, 0.0}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(TableStoreTest, CreateRefusesBadFieldListsAndExistingFiles) {
    const auto file = m_dir / "new.dbf";
    const std::vector<std::vector<FieldSpec>> bad = {
        {},
        {{"", 'C', 5, 0}},
        {{"TOOLONGNAME1", 'C', 5, 0}},
        {{"1ST", 'C', 5, 0}},
        {{"A", 'C', 5, 0}, {"a", 'C', 5, 0}},
        {{"A", 'C', 0, 0}},
        {{"A", 'N', 4, 3}},
        {{"A", 'I', 4, 0}},
    };
    for (const auto& fields : bad) {
        EXPECT_EQ(TableStore::create(file, fields).code(), Status::Code::InvalidArgument);
        EXPECT_FALSE(std::filesystem::exists(file));
    }
    EXPECT_EQ(TableStore::create(m_file, customerFields()).code(), Status::Code::InvalidArgument);
    EXPECT_OK(TableStore::create(m_file, {{"ONLY", 'C', 3, 0}}, CodePage::Cp1252, true));
    TableStore t(m_file);
    ASSERT_OK(t.open());
    EXPECT_EQ(t.fields().size(), 1U);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "Saveddb.fpt"));  // the old memo file went with it
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(TableStoreTest, MissingFileIsNotFoundNamingIt) {
    TableStore t(m_dir / "HUNTCHRT.DBF");
    const Status s = t.open();
    EXPECT_EQ(s.code(), Status::Code::NotFound);
    EXPECT_NE(s.message().find("HUNTCHRT.DBF"), std::string::npos);
}

}  // namespace
}  // namespace quivra::storage::test
