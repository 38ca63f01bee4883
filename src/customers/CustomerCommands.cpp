#include "CustomerCommands.h"

#include "CustomerBase.h"
#include "CustomerExport.h"
#include "CustomerFiles.h"
#include "MessageBox.h"
#include "ModalPattern.h"
#include "ProgressRunner.h"
#include "RepairOffer.h"
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

// Opens the customer store before a customer window does, off the window's
// thread and with progress: a local name index that misses set-ups (left by
// a crash or by another program) is rebuilt here, since on a large table
// that takes a while, and the chain's server is connected (which may wait
// for a server that does not answer).  Gives the opened store, or nullptr
// when the user cancelled (nothing was changed, and the command ends) or it
// failed (the window reports that when it opens the store itself).
std::unique_ptr<SetupStore> openStoreWithProgress(QWidget* parent,
                                                  const std::filesystem::path& dataDir,
                                                  bool& cancelled) {
    cancelled = false;
    auto store = chain::CustomerBase::of(dataDir).store();
    if (!store) return nullptr;
    storage::Status status;
    const QString label = chain::CustomerBase::of(dataDir).usesServer()
                              ? QObject::tr("Connecting to the customer database...")
                              : QObject::tr("Rebuilding the customer index (Saved.idx)...");
    shell::runWithProgress(
        parent, QObject::tr("Customer Index"), label,
        [&](const storage::ProgressFn& progress) { status = (*store)->open(progress); });
    cancelled = isCancelled(status);
    if (!status) return nullptr;
    return std::move(store).value();
}

}  // namespace

void saveSetup(QWidget* parent, const quivra::selection::SelectionInputs& inputs,
               std::optional<core::Page> searchedPage, const std::filesystem::path& dataDir,
               const std::optional<SavedBuild>& build) {
    bool cancelled = false;
    if (auto store = openStoreWithProgress(parent, dataDir, cancelled)) store->close();
    if (cancelled) return;
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
    bool cancelled = false;
    auto store = openStoreWithProgress(parent, dataDir, cancelled);
    if (cancelled) return std::nullopt;
    if (store) {
        const auto empty = store->isEmpty();
        store->close();
        if (!empty.isOk()) {
            MessageBox::error(parent, QString::fromStdString(empty.status().message()));
            return std::nullopt;
        }
        if (empty.value()) {
            MessageBox::information(
                parent,
                QStringLiteral("There are no records on file currently, use Save Setup first."));
            return std::nullopt;
        }
    }
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
    // The local tables go out with their builds (custdb.txt and builds.txt,
    // both or neither); the chain's server store writes its set-ups.
    const bool server = chain::CustomerBase::of(dataDir).usesServer();
    storage::Status s;
    if (server) {
        auto store = chain::CustomerBase::of(dataDir).store();
        s = store.status();
        if (store) {
            shell::runWithProgress(parent, QObject::tr("Export Customer Database"),
                                   QObject::tr("Writing the saved set-ups to custdb.txt..."),
                                   [&](const storage::ProgressFn& progress) {
                                       s = (*store)->open();
                                       if (s)
                                           s = (*store)->exportText(dataDir / kExportFile,
                                                                    progress);
                                       (*store)->close();
                                   });
        }
    } else {
        shell::runWithProgress(
            parent, QObject::tr("Export Customer Database"),
            QObject::tr("Writing the saved set-ups to custdb.txt..."),
            [&](const storage::ProgressFn& progress) { s = exportCustomers(dataDir, progress); });
    }
    if (isCancelled(s)) return;  // the user's choice; an earlier custdb.txt is as it was
    // The message comes only once the file is complete and in place.
    if (!s) {
        MessageBox::error(parent, QString::fromStdString(s.message()));
        return;
    }
    QString done = QString::fromLatin1(kExportDoneMessage);
    if (!server && std::filesystem::exists(dataDir / kBuildsTableFile)) {
        done += QLatin1Char('\n') + QString::fromLatin1(kBuildsExportDoneMessage);
    }
    MessageBox::information(parent, done);
}

void editShopInformation(QWidget* parent, const std::filesystem::path& dataDir) {
    shell::runModal<TShopInf>(parent, dataDir);
    // The customer database may have changed: the next window uses the new choice.
    (void)chain::CustomerBase::of(dataDir).reloadSettings();
}

}  // namespace quivra::customers
