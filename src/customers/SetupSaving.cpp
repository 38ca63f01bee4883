#include "SetupSaving.h"

#include "BuildStore.h"
#include "SavedSetupStore.h"

namespace quivra::customers {

using storage::Status;

namespace {

void addNotice(std::string& notice, const std::string& text) {
    if (text.empty()) return;
    if (!notice.empty()) notice += "\n\n";
    notice += text;
}

}  // namespace

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

SaveOutcome saveSetupWithBuild(const std::filesystem::path& dataDir, storage::FileIo& io,
                               const CustomerAddress& address, const SetupCodes& codes,
                               const std::chrono::year_month_day& date,
                               const std::optional<SavedBuild>& build) {
    SaveOutcome out;
    StoredSetup stored;
    {
        SavedSetupStore setups(dataDir, io);
        AppendOutcome appended{setups.open(), false};
        if (appended.status) appended = setups.appendSetup(address, codes, date);
        addNotice(out.notice, setups.takeNotice());
        if (appended.stored) {
            stored.recNo = appended.recNo;
            // The signature of the record as it is on file (texts cut to
            // their fields), which is what a later reading compares.
            Status s = setups.goTo(stored.recNo);
            auto record = s ? setups.current() : storage::Result<SavedSetup>(s);
            if (record) stored.signature = setupSignature(*record);
            out.setup = stored;
            if (appended.status && !record) appended.status = record.status();
        }
        setups.close();
        out.status = appended.status;
        if (!out.status) {
            if (out.setup && build) out.status = Status::ioError(buildNotSavedMessage(out.status));
            return out;
        }
    }
    if (!build) return out;
    const Status s = saveBuildFor(dataDir, io, stored, *build, out.notice);
    out.buildStored = s.isOk();
    if (!s) out.status = Status::ioError(buildNotSavedMessage(s));
    return out;
}

}  // namespace quivra::customers
