// The password from the desktop keyring against a real server: a login role
// the server asks a password of over TCP (scripts/ci-postgres.sh puts a
// scram-sha-256 line for quivra_keyring ahead of its trust lines), a
// stand-in secret-tool, and a ~/.pgpass that is empty, so the machine's own
// never takes part.

#include "CustomerBase.h"
#include "CustomerDbSettings.h"
#include "FakeSecretTool.h"
#include "Keyring.h"
#include "PgTestSupport.h"
#include "Schema.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>

namespace quivra::chain {
namespace {

using storage::test::TempDir;
using test::FakeSecretTool;
using namespace std::chrono_literals;

constexpr const char* kRole = "quivra_keyring";
// Quotes and a space: it must reach the server whole.
constexpr const char* kPassword = "k3y'ring \"pa55\" \\word";

class KeyringServerTest : public test::ServerTest {
protected:
    void SetUp() override {
        ServerTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        const char* old = std::getenv("PGPASSFILE");
        if (old) m_oldPassFile = old;
        std::ofstream(m_dir / "pgpass").flush();
        std::filesystem::permissions(m_dir / "pgpass", std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::owner_write);
        ::setenv("PGPASSFILE", (m_dir / "pgpass").c_str(), 1);
        std::ofstream(m_dir / "password") << kPassword;

        sql(std::string("DROP ROLE IF EXISTS ") + kRole);
        ASSERT_TRUE(migrate(*m_db));
        // The role's password, as a parameter like every other value.
        auto r = m_db->exec(
            "SELECT format('CREATE ROLE %I LOGIN IN ROLE quivra_counter "
            "PASSWORD %L', $1::text, $2::text)",
            {std::string(kRole), std::string(kPassword)});
        ASSERT_TRUE(r) << r.status().message();
        ASSERT_TRUE(m_db->execScript(r->text(0, 0)));

        std::filesystem::create_directories(m_dir / "counter");
        makeCounterFolder(m_dir / "counter", "Keyring Shop");
        if (HasFatalFailure()) return;
        auto settings = customers::loadCustomerDbSettings(m_dir / "counter");
        ASSERT_TRUE(settings);
        m_settings = *settings;
        m_settings.host = "127.0.0.1";
        m_settings.user = kRole;
        ASSERT_TRUE(customers::saveCustomerDbSettings(m_dir / "counter", m_settings));

        // Without a password the server must refuse the role, or these
        // tests prove nothing.
        useTool("exit 1");
        auto bare = PgConnection::connect(customers::connectionString(m_settings));
        if (bare) {
            GTEST_SKIP() << "The server lets " << kRole << " in without a password over TCP; "
                         << "scripts/ci-postgres.sh sets up one that does not.";
        }
    }

    void TearDown() override {
        setKeyringLookup({});
        CustomerBase::shutdownAll();
        if (m_db) sql(std::string("DROP ROLE IF EXISTS ") + kRole);
        if (m_oldPassFile) {
            ::setenv("PGPASSFILE", m_oldPassFile->c_str(), 1);
        } else {
            ::unsetenv("PGPASSFILE");
        }
        ServerTest::TearDown();
    }

    // The keyring answers through a stand-in tool running `body`.
    const FakeSecretTool& useTool(const std::string& body) {
        m_tool.emplace(m_dir.path(), body);
        setKeyringLookup([tool = m_tool->path().string()](const KeyringKey& key) {
            return SecretTool(tool, 5s).lookup(key);
        });
        return *m_tool;
    }

    // The counter's connection, and the message when it fails.
    std::string counterFailure() {
        CustomerBase base(m_dir / "counter");
        auto c = base.connection();
        EXPECT_FALSE(c);
        if (c) return {};
        EXPECT_EQ(c.status().code(), core::Status::Code::Unavailable);
        const std::string message = c.status().message();
        EXPECT_EQ(message.find(kPassword), std::string::npos) << message;
        // The clerk is told why, with the offline notice: the counter works
        // offline until someone gives the password.
        const std::string notice = base.takeOfflineNotice();
        EXPECT_TRUE(notice.starts_with("Working offline since ")) << notice;
        EXPECT_NE(notice.find("\n\n" + message), std::string::npos) << notice;
        return message;
    }

    TempDir m_dir;
    std::optional<std::string> m_oldPassFile;
    std::optional<FakeSecretTool> m_tool;
    customers::CustomerDbSettings m_settings;
};

TEST_F(KeyringServerTest, TheCounterConnectsWithThePasswordFromTheKeyring) {
    const FakeSecretTool& tool = useTool("cat '" + (m_dir / "password").string() + "'");
    CustomerBase base(m_dir / "counter");
    auto c = base.connection();
    ASSERT_TRUE(c) << c.status().message();
    EXPECT_GT(base.shopId(), 0);
    const std::vector<std::string> expected{"lookup",
                                            "service",
                                            "quivra-customer-db",
                                            "host",
                                            "127.0.0.1",
                                            "port",
                                            std::to_string(m_settings.port),
                                            "database",
                                            m_database,
                                            "user",
                                            kRole};
    EXPECT_EQ(tool.arguments(), expected);

    // The sync's connection, made on a thread of its own, finds it the same way.
    base.wentOffline();
    auto report = base.syncNow();
    ASSERT_TRUE(report) << report.status().message();
    EXPECT_FALSE(base.isOffline());
}

TEST_F(KeyringServerTest, WithoutAPasswordTheMessageSaysHowToGiveIt) {
    struct Case {
        const char* body;
        const char* why;
    };
    const Case cases[] = {
        {"exit 1", "has no entry"},
        {"echo 'Cannot autolaunch D-Bus without X11 $DISPLAY' >&2; exit 1", "Cannot autolaunch"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        useTool(c.body);
        const std::string message = counterFailure();
        EXPECT_NE(message.find(c.why), std::string::npos) << message;
        EXPECT_NE(message.find("~/.pgpass"), std::string::npos) << message;
        const std::string line =
            "127.0.0.1:" + std::to_string(m_settings.port) + ":" + m_database + ":" + kRole;
        EXPECT_NE(message.find(line + ":PASSWORD"), std::string::npos) << message;
        EXPECT_NE(message.find("secret-tool store --label='Quivra customer database' service "
                               "quivra-customer-db host 127.0.0.1 port " +
                               std::to_string(m_settings.port) + " database " + m_database +
                               " user " + kRole),
                  std::string::npos)
            << message;
    }
    // No tool at all.
    setKeyringLookup([dir = m_dir.path()](const KeyringKey& key) {
        return SecretTool((dir / "no-such-tool").string()).lookup(key);
    });
    const std::string message = counterFailure();
    EXPECT_NE(message.find("libsecret-tools"), std::string::npos) << message;
    EXPECT_NE(message.find("secret-tool store"), std::string::npos) << message;
}

TEST_F(KeyringServerTest, AWrongPasswordIsReportedAsRefused) {
    useTool("printf 'not-the-password\\n'");
    const std::string message = counterFailure();
    EXPECT_NE(message.find("refused the password from the desktop keyring"), std::string::npos)
        << message;
    EXPECT_NE(message.find("secret-tool store"), std::string::npos) << message;
    EXPECT_EQ(message.find("not-the-password"), std::string::npos) << message;
}

}  // namespace
}  // namespace quivra::chain
