// Where the customer database is: the settings file read and written, and
// the rule that a server on another machine is reached over TLS.

#include "CustomerDbSettings.h"
#include "CustomerTables.h"

#include <gtest/gtest.h>

#include <fstream>

namespace quivra::customers {
namespace {

using test::ScratchDir;

CustomerDbSettings server(const std::string& host, const std::string& sslMode) {
    CustomerDbSettings s;
    s.kind = CustomerDbKind::Server;
    s.host = host;
    s.sslMode = sslMode;
    s.user = "counter1";
    return s;
}

TEST(CustomerDbSettings, AMissingFileMeansThisComputer) {
    ScratchDir dir;
    auto s = loadCustomerDbSettings(dir.path());
    ASSERT_TRUE(s);
    EXPECT_EQ(s->kind, CustomerDbKind::Local);
}

TEST(CustomerDbSettings, WrittenSettingsReadBackAndNoPasswordIsWritten) {
    ScratchDir dir;
    const CustomerDbSettings s = server("db.chain.example", "verify-full");
    ASSERT_TRUE(saveCustomerDbSettings(dir.path(), s));
    EXPECT_EQ(loadCustomerDbSettings(dir.path()).value(), s);
    const std::string text = test::readFile(dir / kCustomerDbFile);
    EXPECT_EQ(text.find("password="), std::string::npos);
    // Nothing is left under a temporary name.
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1);
}

TEST(CustomerDbSettings, TlsIsRequiredOffThisMachineOnly) {
    struct Case {
        const char* host;
        const char* sslMode;
        bool ok;
    };
    const Case cases[] = {
        {"db.chain.example", "disable", false},
        {"db.chain.example", "prefer", false},
        {"10.0.0.5", "allow", false},
        {"db.chain.example", "require", true},
        {"db.chain.example", "verify-ca", true},
        {"db.chain.example", "verify-full", true},
        {"", "disable", true},
        {"/run/postgresql", "disable", true},
        {"localhost", "prefer", true},
        {"127.0.0.1", "disable", true},
        {"::1", "disable", true},
        {"127.0.0.1.evil.example", "disable", false},
        {"db.chain.example", "none", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.host) + " " + c.sslMode);
        const core::Status s = checkCustomerDbSettings(server(c.host, c.sslMode));
        EXPECT_EQ(s.isOk(), c.ok) << s.message();
    }
    ScratchDir dir;
    EXPECT_FALSE(saveCustomerDbSettings(dir.path(), server("db.chain.example", "disable")));
    EXPECT_FALSE(std::filesystem::exists(dir / kCustomerDbFile));
}

TEST(CustomerDbSettings, ConnectionStringQuotesEveryValue) {
    CustomerDbSettings s = server("db.example", "require");
    s.database = "shop's db";
    s.user = "back\\slash user";
    const std::string c = connectionString(s);
    EXPECT_NE(c.find("dbname='shop\\'s db'"), std::string::npos) << c;
    EXPECT_NE(c.find("user='back\\\\slash user'"), std::string::npos) << c;
    EXPECT_NE(c.find("sslmode='require'"), std::string::npos) << c;
    EXPECT_EQ(c.find("password"), std::string::npos);
}

TEST(CustomerDbSettings, ABadValueNamesTheFileAndLine) {
    ScratchDir dir;
    std::ofstream(dir / kCustomerDbFile) << "# comment\nstore=server\nport=54x32\n";
    const auto s = loadCustomerDbSettings(dir.path());
    ASSERT_FALSE(s);
    EXPECT_NE(s.status().message().find("CustomerDb.conf, line 3"), std::string::npos)
        << s.status().message();
}

}  // namespace
}  // namespace quivra::customers
