#pragma once
// Keyring: the password of the customer database server from the desktop
// keyring (the Secret Service of the user's session), for a counter whose
// ~/.pgpass has no line for the server.
//
// The lookup runs the `secret-tool` command (Debian package libsecret-tools)
// rather than linking the keyring's libraries: started without a shell, the
// names travel as separate arguments, its answer comes back through a pipe,
// and a tool that does not answer in time (a locked keyring shows an unlock
// prompt) is killed with everything it started.
//
// An entry is found by these attributes, in this order:
//   service quivra-customer-db  host H  port P  database D  user U
// where H is the server's name or address as the counter names it (a folder
// for this machine's Unix socket), P the port, D the database and U the login
// role.  keyringStoreCommand() gives the command that stores one.
//
// The password only ever lives in a Secret, whose bytes are wiped when it
// goes; it is never written to a file, logged or put into a message.

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace quivra::chain {

// What names a password: the server, its port, the database and the user.
struct KeyringKey {
    std::string host;
    std::string port;
    std::string database;
    std::string user;
};

// A password in memory.  Move-only; the bytes are overwritten when it is
// destroyed, cleared or moved from.
class Secret {
public:
    Secret() = default;
    ~Secret();
    Secret(Secret&& other) noexcept;
    Secret& operator=(Secret&& other) noexcept;
    Secret(const Secret&) = delete;
    Secret& operator=(const Secret&) = delete;

    // Room for `bytes` without moving the text (a move would leave a copy behind).
    void reserve(std::size_t bytes);
    // Appends `size` bytes; false (and nothing appended) when they would not
    // fit in the room reserved (at least what reserve() asked for).
    bool append(const char* data, std::size_t size);
    // Drops one trailing "\n" (the tool ends its answer with one).
    void trimNewline();
    void clear();

    [[nodiscard]] bool empty() const { return m_text.empty(); }
    [[nodiscard]] std::size_t size() const { return m_text.size(); }
    // NUL-terminated; valid until the Secret changes or goes.
    [[nodiscard]] const char* c_str() const { return m_text.c_str(); }

private:
    std::string m_text;
};

// What a lookup found.
struct KeyringAnswer {
    enum class Outcome {
        Found,     // `password` holds it
        NotFound,  // the keyring answered: no such entry
        NoTool,    // secret-tool is not installed
        Failed,    // the tool ran and failed (no session bus, keyring refused ...)
        TimedOut,  // no answer in time (a locked keyring waiting for its prompt)
    };
    Outcome outcome = Outcome::NotFound;
    Secret password;
    // Why, for Failed and TimedOut: the tool's own words (first line), never
    // anything it printed on its output.
    std::string detail;
};

// The arguments after "secret-tool lookup" / "secret-tool store --label=...".
std::vector<std::string> keyringAttributes(const KeyringKey& key);

// The shell command that stores the password of `key` in the keyring (it
// asks for the password), every value quoted for a POSIX shell.
std::string keyringStoreCommand(const KeyringKey& key);

// A short phrase for messages: why the keyring gave no password.
std::string describeKeyringMiss(const KeyringAnswer& answer);

// The lookup through the secret-tool command.
class SecretTool {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{20000};
    // The longest password taken; a longer answer is refused.
    static constexpr std::size_t kMaxPassword = 4096;

    // `tool`: a path, or a bare name looked up in PATH.
    explicit SecretTool(std::string tool = "secret-tool",
                        std::chrono::milliseconds timeout = kDefaultTimeout);

    // Runs `tool lookup <attributes>` and waits at most the timeout.  Safe to
    // call from several threads at once.
    [[nodiscard]] KeyringAnswer lookup(const KeyringKey& key) const;

private:
    std::string m_tool;
    std::chrono::milliseconds m_timeout;
};

// The lookup the server connections use when the server asks for a password
// that ~/.pgpass did not give.  Process-wide; by default a SecretTool().
using KeyringLookup = std::function<KeyringAnswer(const KeyringKey&)>;
KeyringLookup keyringLookup();
// Replaces it (tests name a tool of their own); an empty function restores the default.
void setKeyringLookup(KeyringLookup lookup);

// How long the keyring is left alone after a lookup that timed out.
inline constexpr std::chrono::minutes kKeyringPause{5};

// What the server connections ask: keyringLookup() for `key`, except within
// kKeyringPause after a lookup of that key timed out.  A locked keyring
// whose unlock prompt nobody answers would otherwise show it again at every
// retry of a connection (the counter's and the sync's, each half minute
// while offline), each time holding the caller up to the timeout.  Such a
// pause answers TimedOut at once, saying when the keyring is asked again.
// `now` is for tests.
KeyringAnswer askKeyring(const KeyringKey& key, std::chrono::steady_clock::time_point now =
                                                    std::chrono::steady_clock::now());

}  // namespace quivra::chain
