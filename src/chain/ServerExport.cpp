#include "ServerExport.h"

#include "BuildSql.h"
#include "BuildStore.h"
#include "BuildsExport.h"
#include "CustomerFiles.h"
#include "FieldCodec.h"
#include "NoSyncFileIo.h"
#include "SavedSetupStore.h"
#include "SetupSql.h"
#include "TableStore.h"
#include "TempPath.h"
#include "TextExport.h"

#include <functional>

namespace quivra::chain {

using core::Result;
using core::Status;

namespace {

constexpr int kBatch = 5000;

std::string shopFilter(std::optional<int> shopId) {
    return shopId ? " WHERE shop_id = " + std::to_string(*shopId) : "";
}

// Runs `row` on every set-up of the shop (every shop's for nullopt) in the
// order they were saved, through a cursor.  Precondition: a transaction is open.
Status forEachSetupIn(PgConnection& connection, std::optional<int> shopId,
                      const storage::ProgressFn& progress,
                      const std::function<Status(const ServerSetup&)>& row) {
    const std::string where = shopFilter(shopId);
    auto count = connection.exec("SELECT count(*) FROM setups" + where);
    if (!count) return count.status();
    const auto total = std::stoull(count->text(0, 0));
    std::string declare = "DECLARE export_rows NO SCROLL CURSOR FOR SELECT ";
    declare += setupColumns();
    declare += " FROM setups" + where + " ORDER BY created, id";
    if (Status s = connection.execScript(declare); !s) return s;
    std::uint64_t done = 0;
    for (;;) {
        auto batch = connection.exec("FETCH " + std::to_string(kBatch) + " FROM export_rows");
        if (!batch) return batch.status();
        for (int i = 0; i < batch->rows(); ++i) {
            if (Status s = row(setupFromRow(*batch, i)); !s) return s;
        }
        done += static_cast<std::uint64_t>(batch->rows());
        if (progress && !progress(done, total)) {
            return Status::cancelled("The export was cancelled; nothing was written.");
        }
        if (batch->rows() < kBatch) break;
    }
    return connection.execScript("CLOSE export_rows");
}

// The same in a read-only transaction of its own.
Status forEachSetup(PgConnection& connection, std::optional<int> shopId,
                    const storage::ProgressFn& progress,
                    const std::function<Status(const ServerSetup&)>& row) {
    PgTransaction transaction(connection);
    if (!transaction.begun()) return transaction.begun();
    if (Status s = forEachSetupIn(connection, shopId, progress, row); !s) return s;
    return transaction.commit();
}

// Writes Builds.dbf and Builds.idx of the builds of the set-ups just
// exported into `folder`, each naming its set-up by its record number there
// and the signature of that record as the program reads it.  Runs in the
// transaction that exported the set-ups, so the record numbers (the set-ups'
// order) are the same.  Built in a folder of its own, as BuildStore keeps
// its files under fixed names, and renamed into place.
Result<long> exportBuildsTable(PgConnection& connection, std::optional<int> shopId,
                               const std::filesystem::path& folder,
                               customers::BuildStore::Fitting& fitting) {
    customers::SavedSetupStore setups(folder);
    if (Status s = setups.open(); !s) return s;
    const std::filesystem::path work =
        storage::temporaryPathFor(folder / customers::kBuildsTableFile);
    std::error_code error;
    std::filesystem::create_directory(work, error);
    if (error) {
        return Status::ioError("Cannot make the folder " + work.string() + ": " + error.message());
    }
    NoSyncFileIo io;
    long written = 0;
    Status s;
    {
        customers::BuildStore builds(work, io);
        s = builds.openForWriting();
        std::string declare = "DECLARE export_builds NO SCROLL CURSOR FOR SELECT s.recno, ";
        declare += buildColumns("b");
        declare +=
            " FROM builds b JOIN (SELECT id, row_number() OVER (ORDER BY created, id) "
            "AS recno FROM setups" +
            shopFilter(shopId) + ") s ON s.id = b.setup_id ORDER BY b.created, b.id";
        if (s) s = connection.execScript(declare);
        while (s) {
            auto batch = connection.exec("FETCH " + std::to_string(kBatch) + " FROM export_builds");
            if (!batch) {
                s = batch.status();
                break;
            }
            for (int i = 0; s && i < batch->rows(); ++i) {
                const auto recNo = static_cast<std::uint32_t>(std::stoul(batch->text(i, 0)));
                s = setups.goTo(recNo);
                auto setup = s ? setups.current() : Result<customers::SavedSetup>(s);
                s = setup.status();
                if (!s) break;
                s = builds
                        .appendAsSaved(recNo, customers::setupSignature(*setup),
                                       buildFromRow(*batch, i, 1), &fitting)
                        .status();
                ++written;
            }
            if (batch->rows() < kBatch) break;
        }
        if (s) s = connection.execScript("CLOSE export_builds");
        builds.close();
    }
    setups.close();
    for (const char* name : {customers::kBuildsTableFile, customers::kBuildsIndexFile}) {
        if (s) s = syncFile(work / name);
    }
    for (const char* name : {customers::kBuildsTableFile, customers::kBuildsIndexFile}) {
        if (s) s = storage::FileIo::posix().rename(work / name, folder / name);
    }
    std::filesystem::remove_all(work, error);
    if (!s) return s;
    return written;
}

void appendLine(const customers::SavedSetup& s, std::string& out) {
    bool firstValue = true;
    for (const customers::SetupField& f : customers::setupFields()) {
        if (!firstValue) out += ',';
        firstValue = false;
        storage::appendQuotedText(storage::fieldcodec::trimRight(f.in(s)), out);
    }
    out += "\r\n";
}

// Adds a set-up's line to custdb.txt being written.
Status addLine(storage::PendingTextFile& text, const customers::SavedSetup& setup) {
    appendLine(setup, text.text());
    return text.flushIfFull();
}

}  // namespace

Status exportSetupsText(PgConnection& connection, std::optional<int> shopId,
                        const std::filesystem::path& target, const storage::ProgressFn& progress) {
    storage::PendingTextFile text(storage::FileIo::posix(), target);
    Status s = text.open();
    if (s) {
        s = forEachSetup(connection, shopId, progress,
                         [&text](const ServerSetup& row) { return addLine(text, row.setup); });
    }
    return s ? text.commit() : s;
}

Result<TableExport> exportSetupsTable(PgConnection& connection, std::optional<int> shopId,
                                      const std::filesystem::path& folder,
                                      const storage::ProgressFn& progress) {
    const std::filesystem::path table = folder / customers::kSavedTableFile;
    const std::filesystem::path memo = std::filesystem::path(table).replace_extension(".fpt");
    const std::filesystem::path index = folder / customers::kSavedIndexFile;
    // Built under temporary names without a sync per record, synced once and
    // renamed into place: the table first, its memo, then the index.
    const std::filesystem::path tempTable = storage::temporaryPathFor(table);
    const std::filesystem::path tempMemo =
        std::filesystem::path(tempTable).replace_extension(".fpt");
    const std::filesystem::path tempIndex = storage::temporaryPathFor(index);
    NoSyncFileIo io;
    TableExport result;
    // One snapshot for the set-ups and their builds.
    PgTransaction transaction(connection);
    if (!transaction.begun()) return transaction.begun();
    if (Status s = connection.execScript("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, "
                                         "READ ONLY");
        !s) {
        return s;
    }
    Status s = storage::TableStore::create(tempTable, customers::SavedSetupStore::tableFields(),
                                           storage::CodePage::Cp1252, false, io);
    storage::TableStore out(tempTable, io);
    storage::PendingTextFile text(storage::FileIo::posix(), folder / customers::kExportFile);
    if (s) s = out.open();
    if (s) s = text.open();
    if (s) {
        s = forEachSetupIn(connection, shopId, progress, [&](const ServerSetup& row) {
            if (Status t = addLine(text, row.setup); !t) return t;
            if (Status a = out.appendBlank(); !a) return a;
            const customers::SavedSetupStore::WriteReport written =
                customers::SavedSetupStore::writeRecord(out, row.setup);
            if (!written.status) return written.status;
            result.textsCut += written.cut;
            result.textsReplaced += written.replaced;
            ++result.setups;
            return out.post();
        });
    }
    if (s) s = out.createIndex(tempIndex, customers::kSavedKeyExpression);
    out.close();
    for (const auto& f : {tempTable, tempMemo, tempIndex}) {
        if (s) s = syncFile(f);
    }
    if (s) s = storage::FileIo::posix().rename(tempTable, table);
    if (s) s = storage::FileIo::posix().rename(tempMemo, memo);
    if (s) s = storage::FileIo::posix().rename(tempIndex, index);
    if (s) s = text.commit();
    if (!s) {
        for (const auto& f : {tempTable, tempMemo, tempIndex}) {
            (void)storage::FileIo::posix().remove(f);
        }
        return s;
    }
    customers::BuildStore::Fitting fitting;
    auto builds = exportBuildsTable(connection, shopId, folder, fitting);
    if (!builds) return builds.status();
    result.builds = *builds;
    result.buildTextsCut = fitting.cut;
    result.buildTextsReplaced = fitting.replaced;
    if (s = transaction.commit(); !s) return s;
    // builds.txt as the program's own export writes it, from the tables
    // just written.
    if (s = customers::writeBuildsExport(folder, folder / customers::kBuildsExportFile,
                                         storage::FileIo::posix());
        !s) {
        return s;
    }
    return result;
}

}  // namespace quivra::chain
