#pragma once
// Saving a set-up with the arrow built for it, into the store the shop
// chose (SetupStore::appendSetupWithBuild()).  In the local tables the
// set-up goes into Saveddb.dbf (with its name-index entry), then the build
// into Builds.dbf (BuildStore.h), each write durable before the next starts;
// on the chain's server both go in one transaction.  Whatever a crash
// interrupts, the set-up and its build are both kept, or the set-up without
// its build, or nothing; never a build without its set-up or half a record.
// A set-up saved without a build is saved exactly as before.

#include "CustomerAddress.h"
#include "FileIo.h"
#include "SavedBuild.h"
#include "SetupCodes.h"
#include "SetupStore.h"
#include "Status.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace quivra::customers {

// Where a saved set-up is, so that its build can be saved later (a retry).
struct StoredSetup {
    std::uint32_t recNo = 0;  // in Saveddb.dbf
    std::string signature;    // setupSignature() of the stored record
};

struct SaveOutcome {
    // Ok: the set-up and, when one was given, its build are on file.
    storage::Status status;
    // Where the set-up is in the local tables, once it is on file there
    // (even when something after it failed).
    std::optional<StoredSetup> setup;
    // Set once the set-up is kept in its store, local or shared server: it
    // must then not be saved a second time.
    bool setupStored = false;
    bool buildStored = false;
    // What the stores mended on the way (an index rebuilt, Builds.dbf
    // repaired), to be told once; "" when nothing.
    std::string notice;
};

// Appends the set-up with `date`, with `build` when given
// (SetupStore::appendSetupWithBuild()).  When the set-up is stored but its
// build is not, `status` says so ("The set-up was saved, but its arrow
// could not be saved with it: ...") and, for the local tables, `setup`
// tells where it is, for saveBuildFor().  `setups` is closed; it is opened
// and closed here.
SaveOutcome saveSetupWithBuild(SetupStore& setups, const CustomerAddress& address,
                               const SetupCodes& codes, const std::chrono::year_month_day& date,
                               const std::optional<SavedBuild>& build);

// The same into the local tables of `dataDir`.
SaveOutcome saveSetupWithBuild(const std::filesystem::path& dataDir, storage::FileIo& io,
                               const CustomerAddress& address, const SetupCodes& codes,
                               const std::chrono::year_month_day& date,
                               const std::optional<SavedBuild>& build);

// Saves `build` for a set-up already on file (the retry after a failure).
storage::Status saveBuildFor(const std::filesystem::path& dataDir, storage::FileIo& io,
                             const StoredSetup& setup, const SavedBuild& build,
                             std::string& notice);

// The message of a set-up saved without the build that was meant for it.
std::string buildNotSavedMessage(const storage::Status& why);

}  // namespace quivra::customers
