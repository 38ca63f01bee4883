#pragma once
// BuildStore: the arrows built for saved set-ups, in Builds.dbf beside
// Saveddb.dbf, with the index Builds.idx on the set-up they belong to.
// Saveddb.dbf keeps its 19 fields: other programs read it.  Builds.dbf is
// Quivra's own table (see OwnTables.h: made on the first save of a build,
// mended by the program itself).  Layout: docs/builds-format.md.
//
// A build names its set-up by the set-up's record number in Saveddb.dbf and
// a signature of the set-up's date and codes (setupSignature()), fields an
// address correction never changes.  A build is taken as the set-up's only
// when both agree, so a set-up table that another program packed or
// replaced never gets another customer's arrow.
//
// A set-up is saved before its build (saveSetupWithBuild()), and every
// write is synced before the next one begins, so whatever a crash
// interrupts, a set-up and its build are both on file or the build is
// missing; a build written in part is dropped by the repair the next save
// runs.

#include "FileIo.h"
#include "SavedBuild.h"
#include "SavedSetupStore.h"
#include "Status.h"
#include "TableStore.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace quivra::customers {

// One field of a saved build: its field in Builds.dbf, its column on the
// chain's server, and the member of SavedBuild it holds.
using BuildMember = std::variant<std::string SavedBuild::*, double SavedBuild::*,
                                 std::optional<double> SavedBuild::*, int SavedBuild::*>;
struct BuildField {
    storage::FieldSpec spec;
    const char* column;
    BuildMember member;
};

// Every field of a build but the two that name its set-up (SETUPKEY,
// SETUPSIG, first in Builds.dbf), in the table's order.  Every reader and
// writer of a build's fields, here and on the server, goes through it.
const std::vector<BuildField>& buildFields();

// The signature of a set-up as stored: 8 hex digits over DATE and the
// nine set-up codes.
std::string setupSignature(const SavedSetup& setup);

// Appends the fields of `build` to a line of delimited text, each after a
// comma, in the order of Builds.dbf (without the two set-up fields): texts
// in quotes, numbers as plain decimals, nothing for a figure it lacks.
void appendDelimitedBuild(const SavedBuild& build, std::string& line);

// A build with the set-up record it was found for.
struct FoundBuild {
    std::uint32_t recNo = 0;  // in Builds.dbf
    SavedBuild build;
};

class BuildStore {
public:
    // Binds to Builds.dbf and Builds.idx in `dataDir`; nothing is opened.
    // `io` must outlive the store.
    explicit BuildStore(const std::filesystem::path& dataDir,
                        storage::FileIo& io = storage::FileIo::posix());
    BuildStore(const BuildStore&) = delete;
    BuildStore& operator=(const BuildStore&) = delete;

    // Opens the builds for reading.  A data folder without Builds.dbf has
    // no builds yet: ok, and hasTable() stays false.  A damaged table is
    // read as far as it goes; a missing or damaged index is (re)built.
    storage::Status openForReading();
    // Opens the builds for saving: makes Builds.dbf when it is missing and
    // repairs it when it is damaged.
    storage::Status openForWriting();
    void close();
    [[nodiscard]] bool hasTable() const { return m_table.isOpen(); }
    // What the window should tell the user once (an index rebuilt, the
    // table repaired), or "".  Taking it clears it.
    std::string takeNotice();

    // Appends `build` for the set-up stored as record `setupRecNo` of
    // Saveddb.dbf with `signature`; `savedAt` is set from core::Clock.  The
    // record and its index entry are on disk when this returns its record
    // number.  Precondition: openForWriting() succeeded.
    storage::Result<std::uint32_t> append(std::uint32_t setupRecNo, const std::string& signature,
                                          SavedBuild build);
    // What appendAsSaved() changed to make a build fit the table.
    struct Fitting {
        long cut = 0;       // texts longer than their field, cut at its width
        long replaced = 0;  // texts with letters the code page lacks, written with '?'
    };
    // The same, keeping the build's own savedAt (a build written out from
    // elsewhere, as the chain's export does).  With `fitting`, a text the
    // table cannot hold is written with '?' for such letters and counted
    // there, as texts cut at their width are, rather than refused.
    storage::Result<std::uint32_t> appendAsSaved(std::uint32_t setupRecNo,
                                                 const std::string& signature,
                                                 const SavedBuild& build,
                                                 Fitting* fitting = nullptr);

    // The newest build saved for the set-up, if any.  Precondition: open.
    storage::Result<std::optional<FoundBuild>> findFor(std::uint32_t setupRecNo,
                                                       const std::string& signature);

    // --- reading in saving order (for the export) ------------------------------
    [[nodiscard]] std::uint32_t recordCount() const;
    // The build of record `recNo` (1-based, physical), with the set-up it
    // names.  Deleted records give nullopt.
    struct Record {
        std::uint32_t setupRecNo = 0;
        std::string signature;
        SavedBuild build;
    };
    storage::Result<std::optional<Record>> read(std::uint32_t recNo);

    // The field list of Builds.dbf, in table order (for tests and the docs).
    static const std::vector<storage::FieldSpec>& fieldSpecs();

private:
    storage::Status open(bool forWriting);
    storage::Result<Record> current() const;

    std::filesystem::path m_dataDir;
    storage::FileIo& m_io;
    storage::TableStore m_table;
    std::string m_notice;
};

}  // namespace quivra::customers
