// Key expressions: what each supported form gives on a record, and the
// message for what is outside the subset.

#include "KeyExpression.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quivra::storage {
namespace {

// Byte 0 is the deletion flag; fields follow as a FoxPro record lays them out.
std::vector<FieldDef> fields() {
    return {{"NAME", 'C', 10, 0, 1},  {"CITY", 'C', 8, 0, 11}, {"SAVED", 'D', 8, 0, 19},
            {"BOWWT", 'N', 5, 1, 27}, {"SIZE", 'C', 6, 0, 32}, {"SPINEKEY", 'C', 5, 0, 38}};
}

std::string record(const std::string& name, const std::string& city,
                   const std::string& date = "20240131", const std::string& size = "2213",
                   const std::string& spine = "400") {
    auto pad = [](std::string s, std::size_t n) {
        s.resize(n, ' ');
        return s;
    };
    return " " + pad(name, 10) + pad(city, 8) + pad(date, 8) + " 60.0" + pad(size, 6) +
           pad(spine, 5);
}

struct EvalCase {
    const char* label;
    const char* expression;
    std::string name;
    std::string city;
    std::string expected;  // before padding to the width
    std::size_t width;
};

class KeyEval : public ::testing::TestWithParam<EvalCase> {};

TEST_P(KeyEval, GivesTheKeyPaddedToItsWidth) {
    const EvalCase& c = GetParam();
    auto expr = KeyExpression::compile(c.expression, fields(), CodePage::Cp1252);
    ASSERT_TRUE(expr.isOk()) << expr.status().message();
    EXPECT_EQ(expr->width(), c.width);
    std::string key;
    expr->evaluate(record(c.name, c.city), expr->width(), key);
    std::string expected = c.expected;
    expected.resize(c.width, ' ');
    EXPECT_EQ(key, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, KeyEval,
    ::testing::Values(
        EvalCase{"Field", "NAME", "Smith", "Leeds", "Smith", 10},
        EvalCase{"Upper", "UPPER(NAME)", "Smith", "", "SMITH", 10},
        EvalCase{"Lower", "lower(name)", "SmItH", "", "smith", 10},
        EvalCase{"Abbreviated", "UPPE(NAME)", "ab", "", "AB", 10},
        EvalCase{"TrimConcat", "TRIM(NAME)+CITY", "Smith", "Leeds", "SmithLeeds", 18},
        EvalCase{"RTrim", "RTRIM(NAME)+'|'", "Smith", "", "Smith|", 11},
        EvalCase{"LTrim", "LTRIM(CITY)", "", "  York", "York", 8},
        EvalCase{"AllTrim", "ALLTRIM(CITY)+\"|\"", "", "  York", "York|", 9},
        EvalCase{"Left", "LEFT(NAME, 3)", "Smithers", "", "Smi", 3},
        EvalCase{"LeftBeyondWidth", "LEFT(NAME,40)", "Smith", "", "Smith", 10},
        EvalCase{"Substr", "SUBSTR(NAME,2,3)", "Smithers", "", "mit", 3},
        EvalCase{"SubstrToEnd", "SUBSTR(NAME,7)", "Smithers", "", "rs", 4},
        EvalCase{"SubstrPastEnd", "SUBSTR(NAME,12)+CITY", "Smith", "Leeds", "Leeds", 8},
        EvalCase{"PadR", "PADR(TRIM(NAME),12,'*')", "Smith", "", "Smith*******", 12},
        EvalCase{"PadRCuts", "PADR(NAME,3)", "Smith", "", "Smi", 3},
        EvalCase{"Dtos", "DTOS(SAVED)+NAME", "Al", "", "20240131Al", 18},
        EvalCase{"Parentheses", "(NAME)+(CITY)", "A", "B", "A         B", 18},
        EvalCase{"SpecKey", "TRIM(SIZE)+SPINEKEY", "", "", "2213400", 11},
        EvalCase{"Nested", "UPPER(LEFT(TRIM(CITY)+NAME,6))", "smith", "ab", "ABSMIT", 6}),
    [](const auto& param) { return std::string(param.param.label); });

TEST(KeyExpression, UpperAndLowerFollowTheCodePage) {
    auto cp1252 = KeyExpression::compile("UPPER(NAME)", fields(), CodePage::Cp1252);
    ASSERT_TRUE(cp1252.isOk());
    std::string key;
    cp1252->evaluate(record("\xE9l\xE8ve", ""), 10, key);  // élève
    EXPECT_EQ(key, std::string("\xC9L\xC8VE     "));
    auto cp1251 = KeyExpression::compile("LOWER(NAME)", fields(), CodePage::Cp1251);
    ASSERT_TRUE(cp1251.isOk());
    cp1251->evaluate(record("\xC0\xC1\xA8", ""), 10, key);  // АБЁ
    EXPECT_EQ(key, std::string("\xE0\xE1\xB8       "));
}

TEST(KeyExpression, ShortRecordReadsAsBlanksNeverOutOfBounds) {
    auto expr = KeyExpression::compile("NAME+CITY", fields(), CodePage::Cp1252);
    ASSERT_TRUE(expr.isOk());
    std::string key;
    expr->evaluate(" Sm", 18, key);
    EXPECT_EQ(key, "Sm" + std::string(16, ' '));
    expr->evaluate("", 4, key);
    EXPECT_EQ(key, "    ");
}

struct ErrorCase {
    const char* label;
    const char* expression;
    Status::Code code;
    const char* mentions;
};

class KeyErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(KeyErrors, NameWhatWasNotUnderstood) {
    const ErrorCase& c = GetParam();
    auto expr = KeyExpression::compile(c.expression, fields(), CodePage::Cp1252);
    ASSERT_FALSE(expr.isOk());
    EXPECT_EQ(expr.status().code(), c.code);
    EXPECT_NE(expr.status().message().find(c.mentions), std::string::npos)
        << expr.status().message();
    EXPECT_NE(expr.status().message().find(c.expression), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Refused, KeyErrors,
    ::testing::Values(
        ErrorCase{"OtherFunction", "STR(BOWWT)", Status::Code::Unsupported, "STR()"},
        ErrorCase{"TooShortAbbreviation", "UPP(NAME)", Status::Code::Unsupported, "UPP()"},
        ErrorCase{"Minus", "NAME-CITY", Status::Code::Unsupported, "\"-\""},
        ErrorCase{"UnknownField", "NAME+FOO", Status::Code::InvalidArgument, "FOO"},
        ErrorCase{"NumericField", "BOWWT", Status::Code::Unsupported, "BOWWT"},
        ErrorCase{"DateFieldAlone", "SAVED", Status::Code::Unsupported, "DTOS"},
        ErrorCase{"DtosOfText", "DTOS(NAME)", Status::Code::Unsupported, "DTOS"},
        ErrorCase{"Alias", "SAVEDDB.NAME", Status::Code::Unsupported, "alias"},
        ErrorCase{"ArrowAlias", "A->NAME", Status::Code::Unsupported, "alias"},
        ErrorCase{"Dangling", "NAME+", Status::Code::InvalidArgument, "ends too early"},
        ErrorCase{"Stray", "NAME CITY", Status::Code::InvalidArgument, "position 6"},
        ErrorCase{"MissingArgument", "LEFT(NAME)", Status::Code::InvalidArgument, "LEFT()"},
        ErrorCase{"Unclosed", "NAME+'abc", Status::Code::InvalidArgument, "not closed"},
        ErrorCase{"SubstrZero", "SUBSTR(NAME,0)", Status::Code::Unsupported, "SUBSTR"},
        ErrorCase{"NumberTerm", "NAME+1", Status::Code::Unsupported, "number"},
        ErrorCase{"ExpressionCount", "LEFT(NAME,LEN(NAME))", Status::Code::Unsupported, "LEFT()"},
        ErrorCase{"Empty", "", Status::Code::InvalidArgument, "ends too early"}),
    [](const auto& param) { return std::string(param.param.label); });

}  // namespace
}  // namespace quivra::storage
