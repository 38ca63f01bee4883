// The keyring lookup against stand-in secret-tool scripts: what each kind of
// answer becomes, that a tool that hangs is killed with what it started,
// that names reach the tool exactly as given, and that the store command in
// the messages means the same to a shell.

#include "FakeSecretTool.h"
#include "Keyring.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/types.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace quivra::chain {
namespace {

using Outcome = KeyringAnswer::Outcome;
using storage::test::TempDir;
using test::FakeSecretTool;
using namespace std::chrono_literals;

const KeyringKey kKey{"db.example", "5432", "quivra", "north_counter1"};

KeyringAnswer lookupWith(const FakeSecretTool& tool, std::chrono::milliseconds timeout = 5s) {
    return SecretTool(tool.path().string(), timeout).lookup(kKey);
}

// True when the process is gone (or a zombie nobody reaped yet).
bool processGone(const std::filesystem::path& pidFile) {
    std::string pid;
    std::ifstream(pidFile) >> pid;
    if (pid.empty()) return false;
    std::ifstream stat("/proc/" + pid + "/stat");
    if (!stat) return true;
    std::string line;
    std::getline(stat, line);
    const auto close = line.rfind(')');
    return close != std::string::npos && line.size() > close + 2 && line[close + 2] == 'Z';
}

struct AnswerCase {
    const char* name;
    const char* body;
    Outcome outcome;
    const char* password;  // when found
    const char* detail;    // a part of it, when failed
};

TEST(KeyringLookupTest, EachKindOfAnswer) {
    const AnswerCase cases[] = {
        {"found", "printf 'pa55 w\"rd\\n'", Outcome::Found, "pa55 w\"rd", ""},
        {"no newline", "printf 'abc'", Outcome::Found, "abc", ""},
        {"one newline trimmed", "printf 'abc\\n\\n'", Outcome::Found, "abc\n", ""},
        {"no entry", "exit 1", Outcome::NotFound, "", ""},
        {"empty answer", "exit 0", Outcome::NotFound, "", ""},
        {"failure in words", "echo 'Cannot autolaunch D-Bus' >&2; echo more >&2; exit 1",
         Outcome::Failed, "", "Cannot autolaunch D-Bus"},
        {"killed", "kill -9 $$", Outcome::Failed, "", "without an answer"},
        {"answer then failure", "printf 'half-secret'; exit 2", Outcome::Failed, "",
         "without an answer"},
        {"too long", "head -c 5000 /dev/zero | tr '\\0' x", Outcome::Failed, "", "longer than"},
    };
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const KeyringAnswer a = lookupWith(FakeSecretTool(dir.path(), c.body));
        EXPECT_EQ(a.outcome, c.outcome);
        EXPECT_EQ(std::string(a.password.c_str(), a.password.size()), c.password);
        EXPECT_NE(a.detail.find(c.detail), std::string::npos) << a.detail;
        EXPECT_EQ(a.detail.find("half-secret"), std::string::npos) << a.detail;
    }
}

TEST(KeyringLookupTest, AToolThatHangsIsKilledWithWhatItStarted) {
    // A keyring waiting for its unlock prompt; and a tool that closed its
    // output but never ends.
    const char* bodies[] = {
        "sleep 30 & echo $! > \"$0.child\"; wait",
        "sleep 30 >/dev/null 2>&1 & echo $! > \"$0.child\"; exec >&- 2>&-; wait"};
    for (const char* body : bodies) {
        SCOPED_TRACE(body);
        TempDir dir;
        const FakeSecretTool tool(dir.path(), body);
        const KeyringAnswer a = lookupWith(tool, 300ms);
        EXPECT_EQ(a.outcome, Outcome::TimedOut);
        EXPECT_TRUE(a.password.empty());
        const auto child = dir.path() / "secret-tool.child";
        ASSERT_TRUE(std::filesystem::exists(child));
        // The kill reaches the whole group; give the kernel a moment to finish it.
        bool gone = false;
        for (int i = 0; i < 200 && !gone; ++i) {
            gone = processGone(child);
            if (!gone) std::this_thread::sleep_for(10ms);
        }
        EXPECT_TRUE(gone) << "the tool's own child outlived the timeout";
    }
}

TEST(KeyringLookupTest, AMissingToolSaysSo) {
    TempDir dir;
    EXPECT_EQ(SecretTool((dir.path() / "secret-tool").string()).lookup(kKey).outcome,
              Outcome::NoTool);
    // A bare name is looked up in PATH.
    EXPECT_EQ(SecretTool("quivra-no-such-secret-tool").lookup(kKey).outcome, Outcome::NoTool);
    KeyringAnswer missing;
    missing.outcome = Outcome::NoTool;
    EXPECT_NE(describeKeyringMiss(missing).find("libsecret-tools"), std::string::npos);
}

// Names a shop might give its server, database and login, and worse.
KeyringKey hostileKey(const std::filesystem::path& dir) {
    return {"'; rm -rf /", "54 32",
            "a b \"c\" $(touch " + (dir / "pwned").string() + ") `touch " +
                (dir / "pwned2").string() + "`",
            "O'Neil \\ \t; | & > x"};
}

std::vector<std::string> expectedAttributes(const KeyringKey& key) {
    return {"service", "quivra-customer-db", "host",       key.host, "port",
            key.port,  "database",           key.database, "user",   key.user};
}

TEST(KeyringLookupTest, HostileNamesReachTheToolUnchanged) {
    TempDir dir;
    const FakeSecretTool tool(dir.path(), "printf pw");
    const KeyringKey key = hostileKey(dir.path());
    const KeyringAnswer a = SecretTool(tool.path().string(), 5s).lookup(key);
    EXPECT_EQ(a.outcome, Outcome::Found);
    std::vector<std::string> expected{"lookup"};
    for (const std::string& s : expectedAttributes(key)) expected.push_back(s);
    EXPECT_EQ(tool.arguments(), expected);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "pwned"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "pwned2"));
}

TEST(KeyringLookupTest, TheStoreCommandMeansTheSameToAShell) {
    // The command a message shows, pasted into a shell, stores under the very
    // attributes the lookup asks for, whatever the names hold.
    TempDir dir;
    const FakeSecretTool tool(dir.path(), "exit 0");
    const KeyringKey key = hostileKey(dir.path());
    const std::string command = "cd '" + dir.path().string() + "' && PATH='" + dir.path().string() +
                                "' " + keyringStoreCommand(key) + " </dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<std::string> expected{"store", "--label=Quivra customer database"};
    for (const std::string& s : expectedAttributes(key)) expected.push_back(s);
    EXPECT_EQ(tool.arguments(), expected);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "pwned"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "pwned2"));
    // Plain names stay readable.
    EXPECT_EQ(keyringStoreCommand(kKey),
              "secret-tool store --label='Quivra customer database' service quivra-customer-db "
              "host db.example port 5432 database quivra user north_counter1");
}

TEST(KeyringLookupTest, ASecretIsWipedWhenMovedOrCleared) {
    Secret s;
    s.reserve(32);
    ASSERT_TRUE(s.append("abc", 3));
    const std::string more(200, 'x');
    EXPECT_FALSE(s.append(more.data(), more.size()));  // beyond the room reserved: refused whole
    EXPECT_EQ(s.size(), 3U);
    const char* old = s.c_str();
    Secret moved(std::move(s));
    EXPECT_EQ(std::string(moved.c_str()), "abc");
    EXPECT_TRUE(s.empty());   // NOLINT(bugprone-use-after-move): moved-from is defined
    EXPECT_EQ(old[0], '\0');  // the bytes left behind are gone too
}

// A keyring that timed out is left alone for a while, so a locked one does
// not show its prompt at every retry; any other answer asks again at once.
TEST(KeyringPauseTest, ATimedOutKeyringIsNotAskedAgainUntilThePauseIsOver) {
    int asked = 0;
    Outcome next = Outcome::TimedOut;
    setKeyringLookup([&](const KeyringKey&) {
        ++asked;
        KeyringAnswer a;
        a.outcome = next;
        return a;
    });
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(askKeyring(kKey, t0).outcome, Outcome::TimedOut);
    EXPECT_EQ(asked, 1);
    const KeyringAnswer paused = askKeyring(kKey, t0 + 1min);
    EXPECT_EQ(paused.outcome, Outcome::TimedOut);
    EXPECT_EQ(asked, 1);
    EXPECT_NE(describeKeyringMiss(paused).find("asked again in 4 minutes"), std::string::npos)
        << describeKeyringMiss(paused);
    // Another server's entry is asked.
    KeyringKey other = kKey;
    other.user = "south_counter1";
    next = Outcome::NotFound;
    EXPECT_EQ(askKeyring(other, t0 + 1min).outcome, Outcome::NotFound);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(askKeyring(other, t0 + 2min).outcome, Outcome::NotFound);
    EXPECT_EQ(asked, 3);
    // After the pause the keyring is asked again, and an answer ends the pause.
    EXPECT_EQ(askKeyring(kKey, t0 + kKeyringPause).outcome, Outcome::NotFound);
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(askKeyring(kKey, t0 + kKeyringPause + 1s).outcome, Outcome::NotFound);
    EXPECT_EQ(asked, 5);
    setKeyringLookup({});
}

}  // namespace
}  // namespace quivra::chain
