#pragma once
// Where the customer windows keep the saved set-ups: in this computer's
// tables (the default) or on a shared PostgreSQL server for a chain of shops.
// The choice and the server's address live in CustomerDb.conf beside
// SHOPINFO.DBF, a file of our own (SHOPINFO.DBF keeps its fields, which other
// programs read).  No password is ever stored: it comes from the user's
// ~/.pgpass or the desktop keyring (src/chain/Keyring.h).
//
// CustomerDb.conf: UTF-8 text, one "key=value" a line, "#" starts a comment.
//   store=local|server  host=...  port=5432  database=...  user=...
//   sslmode=disable|allow|prefer|require|verify-ca|verify-full
// Unknown keys are ignored, so a newer program's file still reads.

#include "FileIo.h"
#include "Status.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace quivra::customers {

// The TLS modes of a connection, the safest first (as Shop Information
// offers them).
inline constexpr std::array<std::string_view, 6> kTlsModeNames{
    "verify-full", "verify-ca", "require", "prefer", "allow", "disable"};

inline constexpr const char* kCustomerDbFile = "CustomerDb.conf";

enum class CustomerDbKind { Local, Server };

struct CustomerDbSettings {
    CustomerDbKind kind = CustomerDbKind::Local;
    std::string host;  // name or address; "" or a folder: this machine's Unix socket
    int port = 5432;
    std::string database = "quivra";
    std::string user;  // "" : the login name
    std::string sslMode = "verify-full";

    bool operator==(const CustomerDbSettings&) const = default;
};

// True for a connection that never leaves this machine: a Unix socket (no
// host, or a folder) or a loopback name or address.
bool isLoopbackHost(std::string_view host);

// Ok when the settings can be used; otherwise the message for the user.
// A server on another machine must be reached over TLS: its sslmode must be
// require, verify-ca or verify-full.
storage::Status checkCustomerDbSettings(const CustomerDbSettings& settings);

// The libpq connection string for the settings (values quoted, no password);
// `applicationName` is what the server's activity list shows.
std::string connectionString(const CustomerDbSettings& settings,
                             std::string_view applicationName = "quivra");

// Reads CustomerDb.conf of `dataDir`; a missing file gives the defaults (this
// computer).  A file that cannot be read or holds a bad value gives an error
// naming the file and the line.
storage::Result<CustomerDbSettings> loadCustomerDbSettings(const std::filesystem::path& dataDir);

// Writes CustomerDb.conf of `dataDir` under a temporary name, synced, and
// renamed over the old file, so a crash leaves the old or the new file whole.
// Settings that fail checkCustomerDbSettings() are refused.
storage::Status saveCustomerDbSettings(const std::filesystem::path& dataDir,
                                       const CustomerDbSettings& settings,
                                       storage::FileIo& io = storage::FileIo::posix());

}  // namespace quivra::customers
