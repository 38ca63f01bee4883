#include "SetupSaving.h"

#include "BuildStore.h"
#include "SavedSetupStore.h"

#include <string>

namespace quivra::customers {

using storage::Status;

std::string buildNotSavedMessage(const Status& why) {
    return "The set-up was saved, but its arrow could not be saved with it: " + why.message();
}

Status saveBuildFor(const std::filesystem::path& dataDir, storage::FileIo& io,
                    const StoredSetup& setup, const SavedBuild& build, std::string& notice) {
    BuildStore builds(dataDir, io);
    Status s = builds.openForWriting();
    if (s) s = builds.append(setup.recNo, setup.signature, build).status();
    addNotice(notice, builds.takeNotice());
    builds.close();
    return s;
}

SaveOutcome saveSetupWithBuild(SetupStore& setups, const CustomerAddress& address,
                               const SetupCodes& codes, const std::chrono::year_month_day& date,
                               const std::optional<SavedBuild>& build) {
    SaveOutcome out;
    AppendOutcome appended{setups.open(), false};
    if (appended.status) {
        appended = build ? setups.appendSetupWithBuild(address, codes, date, *build)
                         : setups.appendSetup(address, codes, date);
    }
    addNotice(out.notice, setups.takeNotice());
    out.setupStored = appended.stored;
    out.buildStored = appended.buildStored;
    if (appended.stored && appended.recNo != 0) {
        // The signature of the record as it is on file, for a retry.
        StoredSetup stored{appended.recNo, {}};
        Status s = setups.goToId(std::to_string(stored.recNo));
        auto record = s ? setups.current() : storage::Result<SavedSetup>(s);
        if (record) stored.signature = setupSignature(*record);
        out.setup = stored;
    }
    setups.close();
    out.status = appended.status;
    if (!out.status && appended.stored && build) {
        out.status = Status::ioError(buildNotSavedMessage(out.status));
    }
    return out;
}

SaveOutcome saveSetupWithBuild(const std::filesystem::path& dataDir, storage::FileIo& io,
                               const CustomerAddress& address, const SetupCodes& codes,
                               const std::chrono::year_month_day& date,
                               const std::optional<SavedBuild>& build) {
    SavedSetupStore setups(dataDir, io);
    return saveSetupWithBuild(setups, address, codes, date, build);
}

}  // namespace quivra::customers
