// Other xBase software on our files and ours on theirs: python3-dbf,
// python3-dbfread and Perl's XBase read what we write, field by field and
// memos included; we read the FoxPro tables python3-dbf and XBase write;
// pgdbf converts our tables.  The tools run as child processes (scripts in
// interop/); a missing tool makes the test skip.
#include "TableStore.h"

#include "TempDir.h"
#include "TestTables.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include <sys/wait.h>

namespace quivra::storage::test {
namespace {

const std::filesystem::path kScripts = QUIVRA_INTEROP_DIR;
constexpr int kSkip = 77;

std::string quoted(const std::filesystem::path& p) {
    return "'" + p.string() + "'";
}

// Runs a shell command; its output goes to `log`.  Returns the exit status.
int run(const std::string& command, const std::filesystem::path& log) {
    const int status = std::system((command + " > " + quoted(log) + " 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string jsonString(std::string_view s) {
    std::string out = "\"";
    for (const char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out + "\"";
}

bool toolExists(const char* name) {
    return std::system(("command -v " + std::string(name) + " > /dev/null 2>&1").c_str()) == 0;
}

using Row = std::vector<std::pair<std::string, std::string>>;

const std::vector<Row> kRows = {
    {{"NAME", "Zoë \"Arrow\" Ørsted"},
     {"CITY", "Québec"},
     {"BOWWT", "52.5"},
     {"ARLEN", "29"},
     {"SAVED", "20240229"},
     {"ACTIVE", "T"},
     {"COMMENTS", "Prêt à tirer, \"très\" bien.\r\nLine two €"}},
    {{"NAME", "O'Neil"},
     {"CITY", ""},
     {"BOWWT", "-1.5"},
     {"ARLEN", ""},
     {"SAVED", ""},
     {"ACTIVE", "F"},
     {"COMMENTS", ""}},
    {{"NAME", "Long memo"},
     {"CITY", "Zürich"},
     {"BOWWT", "999.9"},
     {"ARLEN", "1"},
     {"SAVED", "19991231"},
     {"ACTIVE", "T"},
     {"COMMENTS", std::string(1000, 'm') + "é"}},
};

class InteropTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_OK(TableStore::create(m_file, customerFields()));
        TableStore t(m_file);
        ASSERT_OK(t.open());
        for (const Row& row : kRows) ASSERT_OK(appendRecord(t, row));
        // What our own reader gives, as the other readers must give it too.
        std::ofstream out(m_expected, std::ios::binary);
        out << "[";
        ASSERT_OK(t.first());
        for (bool firstRecord = true; !t.eof(); firstRecord = false) {
            out << (firstRecord ? "\n[" : ",\n[");
            for (std::size_t i = 0; i < t.fields().size(); ++i) {
                const FieldDef& f = t.fields()[i];
                std::string text = t.fieldText(f.name).valueOr("?");
                if (f.type == 'C') text.erase(text.find_last_not_of(' ') + 1);
                out << (i ? "," : "") << "[" << jsonString(f.name) << ","
                    << jsonString(std::string(1, f.type)) << "," << jsonString(text) << "]";
            }
            out << "]";
            ASSERT_OK(t.next());
        }
        out << "\n]\n";
    }

    TempDir m_dir;
    std::filesystem::path m_file = m_dir / "Saveddb.dbf";
    std::filesystem::path m_expected = m_dir / "expected.json";
    std::filesystem::path m_log = m_dir / "tool.log";
};

TEST_F(InteropTest, PythonLibrariesReadOurTable) {
    const int status =
        run(std::string(QUIVRA_PYTHON) + " " + quoted(kScripts / "read_with_python.py") + " " +
                quoted(m_file) + " " + quoted(m_expected),
            m_log);
    if (status == kSkip) GTEST_SKIP() << readFile(m_log);
    EXPECT_EQ(status, 0) << readFile(m_log);
}

TEST_F(InteropTest, PerlXBaseReadsOurTable) {
    const int status = run("perl " + quoted(kScripts / "read_with_perl.pl") + " " + quoted(m_file) +
                               " " + quoted(m_expected),
                           m_log);
    if (status == kSkip) GTEST_SKIP() << readFile(m_log);
    EXPECT_EQ(status, 0) << readFile(m_log);
}

TEST_F(InteropTest, PgdbfConvertsOurTable) {
    if (!toolExists("pgdbf")) GTEST_SKIP() << "pgdbf is not installed";
    const auto sql = m_dir / "out.sql";
    const int status = std::system(("pgdbf -s cp1252 -m " + quoted(m_dir / "Saveddb.fpt") + " " +
                                    quoted(m_file) + " > " + quoted(sql) + " 2> " + quoted(m_log))
                                       .c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << readFile(m_log);
    EXPECT_EQ(readFile(m_log), "");
    const std::string out = readFile(sql);
    EXPECT_NE(out.find("Québec"), std::string::npos) << out;
    EXPECT_NE(out.find("O'Neil"), std::string::npos);
    EXPECT_NE(out.find(std::string(1000, 'm') + "é"), std::string::npos);
}

struct Expected {
    const char* name;
    const char* bowwt;
    const char* saved;
    const char* active;
    std::string notes;
};

void expectRecords(const std::filesystem::path& file, const std::vector<Expected>& rows) {
    TableStore t(file);
    ASSERT_OK(t.open());
    EXPECT_OK(t.damage());
    ASSERT_EQ(t.recordCount(), rows.size());
    for (std::uint32_t n = 1; n <= rows.size(); ++n) {
        SCOPED_TRACE("record " + std::to_string(n));
        const Expected& e = rows[n - 1];
        ASSERT_OK(t.goTo(n));
        std::string name = t.fieldText("NAME").valueOr("?");
        name.erase(name.find_last_not_of(' ') + 1);
        EXPECT_EQ(name, e.name);
        EXPECT_DOUBLE_EQ(t.fieldFloat("BOWWT").valueOr(-999), std::atof(e.bowwt));
        EXPECT_EQ(t.fieldText("SAVED").valueOr("?"), e.saved);
        EXPECT_EQ(t.fieldText("ACTIVE").valueOr("?"), e.active);
        EXPECT_EQ(t.fieldText("NOTES").valueOr("?"), e.notes);
    }
}

TEST(InteropWriteTest, WeReadPythonDbfFoxProTables) {
    TempDir dir;
    const auto file = dir / "py.dbf";
    const auto log = dir / "tool.log";
    const int status = run(std::string(QUIVRA_PYTHON) + " " +
                               quoted(kScripts / "write_with_python.py") + " " + quoted(file),
                           log);
    if (status == kSkip) GTEST_SKIP() << readFile(log);
    ASSERT_EQ(status, 0) << readFile(log);
    expectRecords(file, {{"Zoë Ørsted", "52.5", "20230714", "T",
                          "Prêt à tirer, \"très\" bien.\r\nDeuxième ligne"},
                         {"O'Neil", "60", "19991231", "F", ""},
                         {"Plain", "-1.5", "", " ", std::string(700, 'x')}});
}

TEST(InteropWriteTest, WeReadPerlXBaseFoxProTables) {
    TempDir dir;
    const auto file = dir / "pl.dbf";
    const auto log = dir / "tool.log";
    const int status = run("perl " + quoted(kScripts / "write_with_perl.pl") + " " + quoted(file) +
                               " " + quoted(dir / "pl.fpt"),
                           log);
    if (status == kSkip) GTEST_SKIP() << readFile(log);
    ASSERT_EQ(status, 0) << readFile(log);
    TableStore t(file);
    ASSERT_OK(t.open());
    EXPECT_EQ(t.version(), 0xF5);
    expectRecords(file, {{"Renée Dürr", "45.5", "20240301", "T", "Memo with \"quotes\" and café"},
                         {"Second", "70", "", "F", std::string(300, 'y')}});
}

}  // namespace
}  // namespace quivra::storage::test
