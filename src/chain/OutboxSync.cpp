#include "OutboxSync.h"

#include "BuildSql.h"
#include "Schema.h"
#include "SetupSql.h"

#include <map>

namespace quivra::chain {

using core::Result;
using core::Status;

namespace {

constexpr std::size_t kBatch = 500;

Status sendEntry(PgConnection& connection, const OutboxEntry& e,
                 std::map<std::string, int>& shops) {
    if (e.kind == OutboxEntry::Kind::Address) {
        return updateAddress(connection, e.uuid, e.setup.address, e.queued).status();
    }
    auto shop = shops.find(e.shop);
    if (shop == shops.end()) {
        auto id = shopId(connection, e.shop);
        if (!id) return id.status();
        shop = shops.emplace(e.shop, *id).first;
    }
    if (auto r = insertSetup(connection, shop->second, e.uuid, e.setup, e.queued); !r) {
        return r.status();
    }
    if (!e.build) return Status::ok();
    return insertBuild(connection, shop->second, e.buildUuid, e.uuid, *e.build, e.queued).status();
}

}  // namespace

Result<SyncReport> syncOutbox(PgConnection& connection, Outbox& outbox,
                              const std::function<bool()>& stop, const AfterCommitFn& afterCommit) {
    SyncReport report;
    std::map<std::string, int> shops;
    for (;;) {
        if (stop && stop()) break;
        auto batch = outbox.pending(kBatch);
        if (!batch) return batch.status();
        if (batch->entries.empty()) break;
        {
            PgTransaction transaction(connection);
            if (!transaction.begun()) return transaction.begun();
            for (const OutboxEntry& e : batch->entries) {
                if (Status s = sendEntry(connection, e, shops); !s) return s;
            }
            if (Status s = transaction.commit(); !s) return s;
        }
        report.sent += batch->entries.size();
        if (afterCommit) afterCommit(report.sent);
        if (Status s = outbox.markDone(batch->generation, batch->entries.back().recNo); !s) {
            return s;
        }
    }
    if (Status s = outbox.compactIfDone(); !s) return s;
    auto left = outbox.pendingCount();
    if (!left) return left.status();
    report.remaining = *left;
    return report;
}

}  // namespace quivra::chain
