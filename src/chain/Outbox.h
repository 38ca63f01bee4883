#pragma once
// Outbox: the saves and address changes waiting for the chain's server,
// kept in the data folder while the server cannot be reached.
//
// Files (ours, beside the set-ups):
//   Outbox.dbf/.fpt  one record per change, in the order they were made:
//                    UUID C(36), KIND C(1) ('N' new set-up, 'A' address
//                    change), QUEUED C(27) (UTC, ISO 8601), LOCALREC N(10)
//                    (the copy in Saveddb.dbf, 0 for none), DATA M (the
//                    texts, encoded so that any code page holds them; a
//                    new set-up saved with its arrow carries the arrow's
//                    UUID and fields too, so both reach the server in one
//                    transaction)
//   Outbox.done      "<generation> <count>": the first <count> records of
//                    the table of that generation have reached the server
//   Outbox.lock      taken (exclusively) around every use of the two above
//
// Each record is appended and synced before the save is reported done; the
// done mark is written under a temporary name and renamed.  A sync that
// dies between the server's commit and the mark sends those records again
// at its next pass, and the server keeps a UUID once: nothing is lost and
// nothing doubled.  When every record is done, the table is replaced by an
// empty one of a new generation (the mark first, so a crash in between
// only repeats sends).

#include "FileIo.h"
#include "SavedBuild.h"
#include "SetupStore.h"
#include "Status.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quivra::chain {

struct OutboxEntry {
    enum class Kind : char { NewSetup = 'N', Address = 'A' };

    std::uint32_t recNo = 0;  // in the outbox table; set by pending()
    std::string uuid;
    Kind kind = Kind::NewSetup;
    std::string queued;           // UTC time of the save, ISO 8601
    std::uint32_t localRec = 0;   // the local copy's record in Saveddb.dbf, 0 for none
    std::string shop;             // the shop that saved it (new set-ups)
    customers::SavedSetup setup;  // an address change uses the address only
    std::string buildUuid;        // the arrow saved with a new set-up, if any
    std::optional<customers::SavedBuild> build;

    bool operator==(const OutboxEntry&) const = default;
};

// The entries not yet done, and the table generation they belong to.
struct OutboxBatch {
    std::string generation;
    std::vector<OutboxEntry> entries;
};

class Outbox {
public:
    // Binds to the outbox files of `dataDir`; nothing is opened.  `io` must
    // outlive the outbox.
    explicit Outbox(const std::filesystem::path& dataDir,
                    storage::FileIo& io = storage::FileIo::posix());

    // Appends an entry and syncs it; ok only when it is on disk.  Gives the
    // entry's record number in the outbox, and in `generation` (when given)
    // the generation of the table it went into, for setLocalRecord().
    core::Result<std::uint32_t> add(const OutboxEntry& entry, std::string* generation = nullptr);
    // Notes the local copy's record number on entry `recNo` (of `generation`).
    core::Status setLocalRecord(const std::string& generation, std::uint32_t recNo,
                                std::uint32_t localRec);
    // The generation entries are added to now.
    core::Result<std::string> generation();
    // Up to `max` entries not yet done, oldest first.
    core::Result<OutboxBatch> pending(std::size_t max = SIZE_MAX);
    core::Result<std::size_t> pendingCount();
    // Marks the entries of `generation` up to record `throughRecNo` done.
    // A generation that is no longer the table's (another copy of the
    // program emptied it meanwhile) changes nothing.
    core::Status markDone(const std::string& generation, std::uint32_t throughRecNo);
    // Replaces the table by an empty one when every entry is done.
    core::Status compactIfDone();
    // The UUID of the local record `localRec` of Saveddb.dbf, when a new
    // set-up of the outbox (sent or not, until the table is emptied) made it.
    core::Result<std::optional<std::string>> uuidOfLocalRecord(std::uint32_t localRec);

    // The texts of a set-up as the DATA memo holds them (ASCII only), and back.
    static std::string encode(const OutboxEntry& entry);
    static core::Status decode(std::string_view data, OutboxEntry& entry);

private:
    struct Mark {
        std::string generation;
        std::uint32_t done = 0;
    };
    core::Result<Mark> readMark();
    core::Status writeMark(const Mark& mark);
    core::Status createTable();
    core::Status readEntries(std::uint32_t from, std::size_t max, std::vector<OutboxEntry>& out);

    std::filesystem::path m_table;
    std::filesystem::path m_markFile;
    std::filesystem::path m_lockFile;
    storage::FileIo& m_io;
};

}  // namespace quivra::chain
