#include "CustomerCommands.h"

#include "CustomerExport.h"
#include "CustomerFiles.h"
#include "MessageBox.h"
#include "ModalPattern.h"
#include "ProgressRunner.h"
#include "RepairOffer.h"
#include "SavedSetupStore.h"
#include "TCustInfo.h"
#include "TGetCust.h"
#include "TShopInf.h"

#include <utility>

namespace quivra::customers {

using shell::MessageBox;

namespace {

bool isCancelled(const storage::Status& status) {
    return status.code() == storage::Status::Code::Cancelled;
}

// Brings Saved.idx up to date before a customer window opens the saved
// set-ups: an index that misses set-ups (left by a crash or by another
// program) is rebuilt here, off the window's thread and with progress, since
// on a large table that takes a while.  False when the user cancelled the
// rebuild (nothing was changed, and the command ends); any other failure is
// left for the window, which reports it when it opens the table itself.
bool customerIndexReady(QWidget* parent, const std::filesystem::path& dataDir) {
    storage::Status status;
    shell::runWithProgress(parent, QObject::tr("Customer Index"),
                           QObject::tr("Rebuilding the customer index (Saved.idx)..."),
                           [&](const storage::ProgressFn& progress) {
                               SavedSetupStore store(dataDir);
                               status = store.open(progress);
                           });
    return !isCancelled(status);
}

}  // namespace

void saveSetup(QWidget* parent, const quivra::selection::SelectionInputs& inputs,
               std::optional<core::Page> searchedPage, const std::filesystem::path& dataDir,
               const std::optional<SavedBuild>& build) {
    if (!customerIndexReady(parent, dataDir)) return;
    shell::runModal<TCustInfo>(parent, inputs, searchedPage, dataDir, build);
}

std::optional<RestoredSetup> getSetup(QWidget* parent, const std::filesystem::path& dataDir,
                                      PrintCustomerFn print) {
    auto retrieved = retrieveSetup(parent, dataDir, {std::move(print), {}});
    if (!retrieved) return std::nullopt;
    return retrieved->setup;
}

std::optional<Retrieved> retrieveSetup(QWidget* parent, const std::filesystem::path& dataDir,
                                       RetrievalCommands commands) {
    const auto count = SavedSetupStore::countRecords(dataDir);
    if (!count.isOk()) {
        MessageBox::error(parent, QString::fromStdString(count.status().message()));
        return std::nullopt;
    }
    if (count.value() == 0) {
        MessageBox::information(
            parent,
            QStringLiteral("There are no records on file currently, use Save Setup first."));
        return std::nullopt;
    }
    if (!customerIndexReady(parent, dataDir)) return std::nullopt;
    std::optional<Retrieved> result;
    shell::runModal<TGetCust>(parent, dataDir, std::move(commands), &result);
    return result;
}

void exportCustomerDatabase(QWidget* parent, const std::filesystem::path& dataDir) {
    // A damaged table is not exported as if it were whole: repaired first,
    // or the damage is the answer.
    const DamagedTable damaged = savedTableHealth(dataDir);
    if (!damaged.damage.isOk() && !offerRepair(parent, damaged)) {
        MessageBox::error(parent, QString::fromStdString(refusedMessage(damaged)));
        return;
    }
    storage::Status s;
    shell::runWithProgress(
        parent, QObject::tr("Export Customer Database"),
        QObject::tr("Writing the saved set-ups to custdb.txt..."),
        [&](const storage::ProgressFn& progress) { s = exportCustomers(dataDir, progress); });
    if (isCancelled(s)) return;  // the user's choice; an earlier custdb.txt is as it was
    // The message comes only once the file is complete and in place.
    if (!s) {
        MessageBox::error(parent, QString::fromStdString(s.message()));
        return;
    }
    QString done = QString::fromLatin1(kExportDoneMessage);
    if (std::filesystem::exists(dataDir / kBuildsTableFile)) {
        done += QLatin1Char('\n') + QString::fromLatin1(kBuildsExportDoneMessage);
    }
    MessageBox::information(parent, done);
}

void editShopInformation(QWidget* parent, const std::filesystem::path& dataDir) {
    shell::runModal<TShopInf>(parent, dataDir);
}

}  // namespace quivra::customers
