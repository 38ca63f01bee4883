#include "CustomerDbSettings.h"

#include "TempPath.h"

#include <array>
#include <charconv>
#include <fstream>
#include <sstream>

namespace quivra::customers {

using storage::Status;

namespace {

constexpr std::array<std::string_view, 3> kTlsModes{"require", "verify-ca", "verify-full"};

template <std::size_t N>
bool oneOf(const std::array<std::string_view, N>& list, std::string_view value) {
    for (std::string_view item : list) {
        if (item == value) return true;
    }
    return false;
}

bool hasControl(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return true;
    }
    return false;
}

// A libpq connection-string value: in single quotes, quote and backslash escaped.
std::string quotedValue(std::string_view value) {
    std::string out = "'";
    for (const char c : value) {
        if (c == '\'' || c == '\\') out += '\\';
        out += c;
    }
    return out + "'";
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

}  // namespace

bool isLoopbackHost(std::string_view host) {
    if (host.empty() || host.front() == '/' || host.front() == '@') return true;
    if (host == "localhost" || host == "::1" || host == "[::1]") return true;
    if (host.substr(0, 4) != "127.") return false;
    int dots = 0;
    for (const char c : host) {
        if (c == '.') {
            ++dots;
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return dots == 3;
}

Status checkCustomerDbSettings(const CustomerDbSettings& settings) {
    if (settings.kind == CustomerDbKind::Local) return Status::ok();
    if (settings.database.empty()) {
        return Status::invalidArgument("Give the name of the customer database on the server.");
    }
    if (settings.port < 1 || settings.port > 65535) {
        return Status::invalidArgument("The server's port must be a number from 1 to 65535.");
    }
    for (const std::string* text : {&settings.host, &settings.database, &settings.user}) {
        if (hasControl(*text)) {
            return Status::invalidArgument(
                "The server's host, database and user may not hold tabs or line breaks.");
        }
    }
    if (!oneOf(kTlsModeNames, settings.sslMode)) {
        return Status::invalidArgument("'" + settings.sslMode + "' is not a TLS mode.");
    }
    if (!isLoopbackHost(settings.host) && !oneOf(kTlsModes, settings.sslMode)) {
        return Status::invalidArgument(
            "The server " + settings.host +
            " is on another machine, so the connection must be encrypted: choose the TLS mode "
            "verify-full (or at least require).");
    }
    return Status::ok();
}

std::string connectionString(const CustomerDbSettings& settings, std::string_view applicationName) {
    std::string out;
    const auto add = [&out](std::string_view key, std::string_view value) {
        if (value.empty()) return;
        if (!out.empty()) out += ' ';
        out += key;
        out += '=';
        out += quotedValue(value);
    };
    add("host", settings.host);
    add("port", std::to_string(settings.port));
    add("dbname", settings.database);
    add("user", settings.user);
    add("sslmode", settings.sslMode);
    add("application_name", applicationName);
    add("connect_timeout", "5");
    add("client_encoding", "UTF8");
    return out;
}

storage::Result<CustomerDbSettings> loadCustomerDbSettings(const std::filesystem::path& dataDir) {
    const std::filesystem::path file = dataDir / kCustomerDbFile;
    CustomerDbSettings settings;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return settings;
    std::ifstream in(file, std::ios::binary);
    if (!in) return Status::ioError("Cannot read " + file.string() + ".");
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string text = trimmed(line);
        if (text.empty() || text.front() == '#') continue;
        const auto eq = text.find('=');
        const auto bad = [&](const std::string& why) {
            return Status::corruption(file.string() + ", line " + std::to_string(number) + ": " +
                                      why);
        };
        if (eq == std::string::npos) return bad("'" + text + "' is not key=value.");
        const std::string key = trimmed(std::string_view(text).substr(0, eq));
        const std::string value = trimmed(std::string_view(text).substr(eq + 1));
        if (key == "store") {
            if (value != "local" && value != "server") return bad("store is local or server.");
            settings.kind = value == "server" ? CustomerDbKind::Server : CustomerDbKind::Local;
        } else if (key == "host") {
            settings.host = value;
        } else if (key == "port") {
            int port = 0;
            const auto [end, err] =
                std::from_chars(value.data(), value.data() + value.size(), port);
            if (err != std::errc() || end != value.data() + value.size()) {
                return bad("'" + value + "' is not a port number.");
            }
            settings.port = port;
        } else if (key == "database") {
            settings.database = value;
        } else if (key == "user") {
            settings.user = value;
        } else if (key == "sslmode") {
            settings.sslMode = value;
        }
    }
    if (in.bad()) return Status::ioError("Cannot read " + file.string() + ".");
    return settings;
}

Status saveCustomerDbSettings(const std::filesystem::path& dataDir,
                              const CustomerDbSettings& settings, storage::FileIo& io) {
    if (Status s = checkCustomerDbSettings(settings); !s) return s;
    std::ostringstream text;
    text << "# Quivra's customer database: this computer (store=local) or a shared server.\n"
         << "# The password is never kept here; see ~/.pgpass or the desktop keyring.\n"
         << "store=" << (settings.kind == CustomerDbKind::Server ? "server" : "local") << '\n'
         << "host=" << settings.host << '\n'
         << "port=" << settings.port << '\n'
         << "database=" << settings.database << '\n'
         << "user=" << settings.user << '\n'
         << "sslmode=" << settings.sslMode << '\n';
    return storage::replaceFile(io, dataDir / kCustomerDbFile, text.str());
}

}  // namespace quivra::customers
