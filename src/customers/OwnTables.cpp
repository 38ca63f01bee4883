#include "OwnTables.h"

#include "DamagedTable.h"
#include "SetupStore.h"
#include "TableStore.h"
#include "TempPath.h"

#include <chrono>

namespace quivra::customers {

using storage::Status;

Status ensureOwnTable(const std::filesystem::path& path,
                      const std::vector<storage::FieldSpec>& fields, storage::FileIo& io,
                      const std::function<Status(storage::TableStore&)>& fill) {
    if (io.exists(path)) return Status::ok();
    const std::filesystem::path made = storage::temporaryPathFor(path);
    const auto fail = [&](Status s) {
        (void)io.remove(made);
        return s;
    };
    if (Status s = storage::TableStore::create(made, fields, storage::CodePage::Cp1252, false, io);
        !s) {
        return fail(s);
    }
    if (fill) {
        storage::TableStore table(made, io);
        Status s = table.open();
        if (s) s = fill(table);
        table.close();
        if (!s) return fail(s);
    }
    // Another copy may have put its table in place meanwhile: then that one
    // is the table, and ours goes.
    auto moved = io.renameIfAbsent(made, path);
    if (!moved) return fail(moved.status());
    if (!*moved) return fail(Status::ok());
    return Status::ok();
}

Status checkOwnFields(const storage::TableStore& table,
                      const std::vector<storage::FieldSpec>& fields) {
    for (const storage::FieldSpec& spec : fields) {
        const int i = table.fieldIndex(spec.name);
        if (i < 0 || table.fields()[static_cast<std::size_t>(i)].type != spec.type) {
            return Status::invalidArgument(table.path().filename().string() + ": field " +
                                           spec.name + " is missing or of another type, so " +
                                           "Quivra cannot keep its records in it.");
        }
    }
    return Status::ok();
}

Status selectOwnIndex(storage::TableStore& table, const std::filesystem::path& idx,
                      std::string_view keyExpression, storage::FileIo& io, std::string& notice) {
    if (!io.exists(idx)) {
        if (Status s = table.createIndex(idx, keyExpression); !s) return s;
    }
    Status s = table.selectIndex(idx);
    if (s || table.indexDamage().isOk()) return s;
    const Status damage = s;
    if (s = table.rebuildIndexFile(idx); !s) return s;
    addNotice(notice, "The index " + idx.filename().string() + " was damaged (" + damage.message() +
                          "). It has been rebuilt from " + table.path().filename().string() +
                          "; nothing was lost.");
    return Status::ok();
}

Status repairOwnTable(storage::TableStore& table, const std::vector<std::filesystem::path>& indexes,
                      storage::FileIo& io, std::string& notice) {
    if (table.damage().isOk()) return Status::ok();
    const DamagedTable damaged{table.path(), indexes, table.damage()};
    table.close();
    auto repaired = repairTable(damaged, io, std::chrono::system_clock::now());
    if (!repaired) return repaired.status();
    addNotice(notice, damaged.damage.message() + ".\n\n" + *repaired);
    if (Status s = table.open(); !s) return s;
    return table.damage();
}

}  // namespace quivra::customers
