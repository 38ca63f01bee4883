#include "Keyring.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>

namespace quivra::chain {

// --- Secret -------------------------------------------------------------------------

Secret::~Secret() {
    clear();
}

// Copies and wipes rather than moving the string: a short text would be
// copied out of its inline buffer and left behind in it.
Secret::Secret(Secret&& other) noexcept {
    reserve(other.size());
    (void)append(other.m_text.data(), other.size());
    other.clear();
}

Secret& Secret::operator=(Secret&& other) noexcept {
    if (this != &other) {
        clear();
        reserve(other.size());
        (void)append(other.m_text.data(), other.size());
        other.clear();
    }
    return *this;
}

void Secret::reserve(std::size_t bytes) {
    if (bytes <= m_text.capacity()) return;
    std::string room;
    room.reserve(bytes);
    room.append(m_text);
    clear();
    m_text.swap(room);  // a heap buffer changes hands without a copy
}

bool Secret::append(const char* data, std::size_t size) {
    if (m_text.size() + size > m_text.capacity()) return false;
    m_text.append(data, size);
    return true;
}

void Secret::trimNewline() {
    if (m_text.empty() || m_text.back() != '\n') return;
    m_text.back() = '\0';
    m_text.pop_back();
}

void Secret::clear() {
    explicit_bzero(m_text.data(), m_text.size());
    m_text.clear();
}

// --- attributes and messages ---------------------------------------------------------

std::vector<std::string> keyringAttributes(const KeyringKey& key) {
    return {"service", "quivra-customer-db", "host",       key.host, "port",
            key.port,  "database",           key.database, "user",   key.user};
}

namespace {

// 'text' for a POSIX shell: single quotes, each ' written as '\''.
std::string shellQuoted(const std::string& text) {
    const bool plain = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               std::strchr("-_./:@%+,=", c) != nullptr;
    });
    if (plain) return text;
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

}  // namespace

std::string keyringStoreCommand(const KeyringKey& key) {
    std::string command = "secret-tool store --label=" + shellQuoted("Quivra customer database");
    for (const std::string& a : keyringAttributes(key)) command += " " + shellQuoted(a);
    return command;
}

std::string describeKeyringMiss(const KeyringAnswer& answer) {
    using Outcome = KeyringAnswer::Outcome;
    switch (answer.outcome) {
        case Outcome::Found:
            return "the desktop keyring gave a password";
        case Outcome::NotFound:
            return "the desktop keyring has no entry for it";
        case Outcome::NoTool:
            return "the desktop keyring cannot be asked: secret-tool is not installed "
                   "(Debian package libsecret-tools)";
        case Outcome::TimedOut:
            return "the desktop keyring did not answer in time (is it locked?)" +
                   (answer.detail.empty() ? std::string() : "; " + answer.detail);
        case Outcome::Failed:
            break;
    }
    return "the desktop keyring could not be asked" +
           (answer.detail.empty() ? std::string() : ": " + answer.detail);
}

// --- SecretTool ------------------------------------------------------------------------

namespace {

// Closes a descriptor when it goes.
class Fd {
public:
    Fd() = default;
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    [[nodiscard]] int get() const { return m_fd; }
    void reset(int fd = -1) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd = -1;
};

bool makePipe(Fd& read, Fd& write) {
    std::array<int, 2> fds{};
    if (::pipe2(fds.data(), O_CLOEXEC) != 0) return false;
    read.reset(fds[0]);
    write.reset(fds[1]);
    return true;
}

// Spawn attributes and file actions, destroyed when they go.
struct SpawnSetup {
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

std::string firstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    return line;
}

KeyringAnswer answer(KeyringAnswer::Outcome outcome, std::string detail = {}) {
    KeyringAnswer a;
    a.outcome = outcome;
    a.detail = std::move(detail);
    return a;
}

}  // namespace

SecretTool::SecretTool(std::string tool, std::chrono::milliseconds timeout)
    : m_tool(std::move(tool)), m_timeout(timeout) {}

KeyringAnswer SecretTool::lookup(const KeyringKey& key) const {
    using Outcome = KeyringAnswer::Outcome;
    using Clock = std::chrono::steady_clock;

    std::vector<std::string> args{m_tool, "lookup"};
    for (std::string& a : keyringAttributes(key)) args.push_back(std::move(a));
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    Fd outRead, outWrite, errRead, errWrite;
    if (!makePipe(outRead, outWrite) || !makePipe(errRead, errWrite)) {
        return answer(Outcome::Failed, std::string("no pipe: ") + std::strerror(errno));
    }
    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.actions, outWrite.get(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&setup.actions, errWrite.get(), STDERR_FILENO);
    // A group of its own, so a timeout kills whatever the tool started too;
    // default signal handling and mask, whatever this process set up.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&setup.attributes, &none);
    posix_spawnattr_setsigdefault(&setup.attributes, &all);
    posix_spawnattr_setpgroup(&setup.attributes, 0);
    posix_spawnattr_setflags(
        &setup.attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = -1;
    const bool bareName = m_tool.find('/') == std::string::npos;
    const int spawned = bareName ? posix_spawnp(&pid, m_tool.c_str(), &setup.actions,
                                                &setup.attributes, argv.data(), environ)
                                 : posix_spawn(&pid, m_tool.c_str(), &setup.actions,
                                               &setup.attributes, argv.data(), environ);
    if (spawned == ENOENT || spawned == EACCES || spawned == ENOTDIR)
        return answer(Outcome::NoTool);
    if (spawned != 0) return answer(Outcome::Failed, std::strerror(spawned));
    outWrite.reset();
    errWrite.reset();

    // Read both pipes until the tool closes them or the time is up.
    const Clock::time_point deadline = Clock::now() + m_timeout;
    const auto msLeft = [&deadline] {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        return static_cast<int>(std::clamp<long long>(left.count(), 0, 1000));
    };
    KeyringAnswer result;
    result.password.reserve(SecretTool::kMaxPassword + 2);  // the answer's newline too
    std::string errors;
    bool tooLong = false;
    bool outOpen = true;
    bool errOpen = true;
    std::array<char, 512> chunk{};
    while ((outOpen || errOpen) && Clock::now() < deadline) {
        std::array<pollfd, 2> fds{
            {{outOpen ? outRead.get() : -1, POLLIN, 0}, {errOpen ? errRead.get() : -1, POLLIN, 0}}};
        const int ready = ::poll(fds.data(), fds.size(), msLeft());
        if (ready < 0 && errno != EINTR) break;
        if (ready <= 0) continue;
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].revents == 0) continue;
            const ssize_t n = ::read(fds[i].fd, chunk.data(), chunk.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                (i == 0 ? outOpen : errOpen) = false;
                continue;
            }
            const auto bytes = static_cast<std::size_t>(n);
            if (i == 0) {
                tooLong = tooLong || !result.password.append(chunk.data(), bytes);
            } else if (errors.size() < 1024) {
                errors.append(chunk.data(), std::min(bytes, 1024 - errors.size()));
            }
        }
    }
    explicit_bzero(chunk.data(), chunk.size());
    outRead.reset();
    errRead.reset();

    // The tool has closed its output; give it what is left of the time to exit.
    int status = 0;
    pid_t done = 0;
    while ((done = ::waitpid(pid, &status, WNOHANG)) == 0 && Clock::now() < deadline) {
        ::usleep(2000);
    }
    if (done == 0) {
        ::kill(-pid, SIGKILL);
        ::kill(pid, SIGKILL);
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        result.password.clear();
        result.outcome = Outcome::TimedOut;
        return result;
    }
    // Whatever the tool left running in its group goes with it.
    ::kill(-pid, SIGKILL);

    const bool exitedOk = done == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (exitedOk && tooLong) {
        result.password.clear();
        result.outcome = Outcome::Failed;
        result.detail = "the password in it is longer than " +
                        std::to_string(SecretTool::kMaxPassword) + " bytes";
        return result;
    }
    result.password.trimNewline();
    if (exitedOk && !result.password.empty()) {
        result.outcome = Outcome::Found;
        return result;
    }
    result.password.clear();
    // No entry: the tool fails without a word.
    const std::string why = firstLine(errors);
    if (why.empty() && (exitedOk || (WIFEXITED(status) && WEXITSTATUS(status) == 1))) {
        result.outcome = Outcome::NotFound;
        return result;
    }
    result.outcome = Outcome::Failed;
    result.detail = why.empty() ? "secret-tool ended without an answer" : why;
    return result;
}

// --- the process-wide lookup -------------------------------------------------------------

namespace {

std::mutex& lookupMutex() {
    static std::mutex m;
    return m;
}

KeyringLookup& installedLookup() {
    static KeyringLookup lookup;
    return lookup;
}

// When a lookup of each key last timed out.
std::map<std::string, std::chrono::steady_clock::time_point>& timedOut() {
    static std::map<std::string, std::chrono::steady_clock::time_point> at;
    return at;
}

std::string keyText(const KeyringKey& key) {
    std::string text;
    for (const std::string* part : {&key.host, &key.port, &key.database, &key.user}) {
        text += *part;
        text += '\0';
    }
    return text;
}

}  // namespace

KeyringLookup keyringLookup() {
    {
        const std::lock_guard lock(lookupMutex());
        if (installedLookup()) return installedLookup();
    }
    return [](const KeyringKey& key) { return SecretTool().lookup(key); };
}

void setKeyringLookup(KeyringLookup lookup) {
    const std::lock_guard lock(lookupMutex());
    installedLookup() = std::move(lookup);
}

KeyringAnswer askKeyring(const KeyringKey& key, std::chrono::steady_clock::time_point now) {
    const std::string name = keyText(key);
    {
        const std::lock_guard lock(lookupMutex());
        const auto last = timedOut().find(name);
        if (last != timedOut().end() && now < last->second + kKeyringPause) {
            KeyringAnswer paused;
            paused.outcome = KeyringAnswer::Outcome::TimedOut;
            const auto left =
                std::chrono::ceil<std::chrono::minutes>(last->second + kKeyringPause - now);
            paused.detail = "it is asked again in " + std::to_string(left.count()) +
                            (left.count() == 1 ? " minute" : " minutes");
            return paused;
        }
    }
    KeyringAnswer answer = keyringLookup()(key);
    const std::lock_guard lock(lookupMutex());
    if (answer.outcome == KeyringAnswer::Outcome::TimedOut) {
        timedOut()[name] = now;
    } else {
        timedOut().erase(name);
    }
    return answer;
}

}  // namespace quivra::chain
