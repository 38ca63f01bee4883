#include "ShopImport.h"

#include "BuildSql.h"
#include "BuildStore.h"
#include "CustomerFiles.h"
#include "Schema.h"
#include "SetupSql.h"
#include "StorableText.h"
#include "TableStore.h"

#include <array>
#include <chrono>
#include <unordered_map>
#include <vector>

namespace quivra::chain {

using core::Result;
using core::Status;

namespace {

// A value in COPY's text format.
void appendCopyText(std::string_view text, std::string& out) {
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\0':
                out += ' ';
                break;
            default:
                out += c;
        }
    }
}

// "MM/dd/yyyy" or "yyyyMMdd" as an ISO time at noon UTC; "" for anything else.
std::string createdFromDate(std::string_view date) {
    const auto digits = [](std::string_view s) {
        for (const char c : s) {
            if (c < '0' || c > '9') return false;
        }
        return !s.empty();
    };
    std::string_view y, m, d;
    if (date.size() == 10 && date[2] == '/' && date[5] == '/') {
        m = date.substr(0, 2);
        d = date.substr(3, 2);
        y = date.substr(6, 4);
    } else if (date.size() == 8) {
        y = date.substr(0, 4);
        m = date.substr(4, 2);
        d = date.substr(6, 2);
    }
    if (!digits(y) || !digits(m) || !digits(d)) return {};
    const auto number = [](std::string_view s) {
        unsigned n = 0;
        for (const char c : s) n = n * 10 + static_cast<unsigned>(c - '0');
        return n;
    };
    // A day the calendar lacks (02/31/2020) is no date: the server would
    // refuse it and with it the whole import.
    const std::chrono::year_month_day day{std::chrono::year{static_cast<int>(number(y))},
                                          std::chrono::month{number(m)},
                                          std::chrono::day{number(d)}};
    if (!day.ok() || y < "1900") return {};
    return std::string(y) + "-" + std::string(m) + "-" + std::string(d) + "T12:00:00Z";
}

// A build of the folder's Builds.dbf and the set-up it names.
struct FolderBuild {
    std::uint32_t recNo = 0;
    std::uint32_t setupRecNo = 0;
    std::string signature;
    customers::SavedBuild build;
};

// The builds beside `table` when it is its folder's set-up table; none when
// the folder has no Builds.dbf.
Result<std::vector<FolderBuild>> readFolderBuilds(const std::filesystem::path& table) {
    std::vector<FolderBuild> builds;
    if (table.filename() != customers::kSavedTableFile) return builds;
    customers::BuildStore store(table.parent_path());
    if (Status s = store.openForReading(); !s) return s;
    for (std::uint32_t rec = 1; rec <= store.recordCount(); ++rec) {
        auto record = store.read(rec);
        if (!record) return record.status();
        auto found = std::move(record).value();
        if (!found) continue;  // deleted
        builds.push_back(FolderBuild{rec, found->setupRecNo, std::move(found->signature),
                                     std::move(found->build)});
    }
    return builds;
}

// A build's saving time (yyyyMMddHHmmss) as a time the server reads; "" when
// it is no such time.
std::string createdFromSavedAt(std::string_view at) {
    if (at.size() != 14) return {};
    std::array<int, 6> part{};
    const std::array<std::size_t, 6> width{4, 2, 2, 2, 2, 2};
    std::size_t pos = 0;
    for (std::size_t i = 0; i < part.size(); ++i) {
        for (std::size_t j = 0; j < width[i]; ++j, ++pos) {
            if (at[pos] < '0' || at[pos] > '9') return {};
            part[i] = part[i] * 10 + (at[pos] - '0');
        }
    }
    const std::chrono::year_month_day day{std::chrono::year{part[0]},
                                          std::chrono::month{static_cast<unsigned>(part[1])},
                                          std::chrono::day{static_cast<unsigned>(part[2])}};
    if (!day.ok() || part[0] < 1900 || part[3] > 23 || part[4] > 59 || part[5] > 59) return {};
    std::string text(at.substr(0, 4));
    for (const std::size_t from : {4U, 6U}) text += "-" + std::string(at.substr(from, 2));
    text += " " + std::string(at.substr(8, 2)) + ":" + std::string(at.substr(10, 2)) + ":" +
            std::string(at.substr(12, 2));
    return text;
}

// Sends the builds whose set-up was imported with the signature they name;
// counts the rest.  `signatures` holds the imported set-ups the builds name.
Status importBuilds(PgConnection& connection, int shop, bool dryRun,
                    const std::vector<FolderBuild>& builds,
                    const std::unordered_map<std::uint32_t, std::string>& signatures,
                    ImportReport& report) {
    std::vector<const FolderBuild*> matched;
    std::string buildRecs = "{";
    std::string setupRecs = "{";
    for (const FolderBuild& b : builds) {
        const auto setup = signatures.find(b.setupRecNo);
        if (setup == signatures.end()) {
            ++report.buildsOrphaned;
        } else if (setup->second != b.signature) {
            ++report.buildsMismatched;
        } else {
            if (!matched.empty()) {
                buildRecs += ',';
                setupRecs += ',';
            }
            matched.push_back(&b);
            buildRecs += std::to_string(b.recNo);
            setupRecs += std::to_string(b.setupRecNo);
        }
    }
    if (matched.empty()) return Status::ok();
    buildRecs += '}';
    setupRecs += '}';
    auto ids = connection.exec(
        "SELECT b.id::text, s.id::text, EXISTS (SELECT FROM builds WHERE id = b.id) FROM "
        "unnest($2::integer[], $3::integer[]) WITH ORDINALITY AS t(brec, srec, n), "
        "LATERAL (SELECT md5('quivra-import-build:' || $1 || ':' || brec)::uuid AS id) b, "
        "LATERAL (SELECT md5('quivra-import:' || $1 || ':' || srec)::uuid AS id) s ORDER BY n",
        {std::to_string(shop), buildRecs, setupRecs});
    if (!ids) return ids.status();
    for (std::size_t i = 0; i < matched.size(); ++i) {
        const int row = static_cast<int>(i);
        if (ids->text(row, 2) == "t") {
            ++report.buildsPresent;
            continue;
        }
        if (Status s = checkStorable(matched[i]->build); !s) {
            return Status::invalidArgument(std::string(customers::kBuildsTableFile) + ", record " +
                                           std::to_string(matched[i]->recNo) + ": " + s.message());
        }
        if (dryRun) {
            ++report.buildsAdded;
            continue;
        }
        std::string created = createdFromSavedAt(matched[i]->build.savedAt);
        if (created.empty()) created = utcNowText();
        auto added = insertBuild(connection, shop, ids->text(row, 0), ids->text(row, 1),
                                 matched[i]->build, created);
        if (!added) return added.status();
        report.buildsAdded += *added ? 1 : 0;
        report.buildsPresent += *added ? 0 : 1;
    }
    return Status::ok();
}

}  // namespace

Result<ImportReport> importShop(PgConnection& connection, const std::filesystem::path& file,
                                std::string_view shopName, bool dryRun,
                                const storage::ProgressFn& progress) {
    storage::TableStore table(file);
    if (Status s = table.open(); !s) return s;
    if (Status s = table.damage(); !s) return s;
    if (table.fieldIndex("NAME") < 0) {
        return Status::invalidArgument(file.string() +
                                       " has no NAME field, so it holds no saved set-ups.");
    }
    auto builds = readFolderBuilds(file);
    if (!builds) return builds.status();
    // The imported set-ups the builds name, with their signatures as read.
    std::unordered_map<std::uint32_t, std::string> signatures;
    for (const FolderBuild& b : *builds) signatures.emplace(b.setupRecNo, std::string());
    const std::size_t wanted = signatures.size();
    ImportReport report;
    report.buildsRead = static_cast<long>(builds->size());
    const auto& fields = customers::setupFields();
    std::vector<bool> present(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        present[i] = table.fieldIndex(fields[i].name) >= 0;
        if (!present[i]) report.missingFields.emplace_back(fields[i].name);
    }

    PgTransaction transaction(connection);
    if (!transaction.begun()) return transaction.begun();
    auto shop = shopId(connection, shopName);
    if (!shop) return shop.status();
    // Every column of the temporary table is text but recno and created.
    std::string typed;
    for (const customers::SetupField& f : fields) typed += columnOf(f) + " text, ";
    if (Status s = connection.execScript("CREATE TEMP TABLE import_rows (recno integer, " + typed +
                                         "created timestamptz) ON COMMIT DROP");
        !s) {
        return s;
    }

    const std::uint64_t total = table.recordCount();
    bool started = false;
    auto copied = connection.copyIn(
        "COPY import_rows (recno, " + setupFieldColumns() + ", created) FROM STDIN",
        [&](std::string& out) -> Result<bool> {
            if (!started) {
                if (Status s = table.first(); !s) return s;
                started = true;
            }
            for (int n = 0; n < 2000 && !table.eof(); ++n) {
                out += std::to_string(table.recNo());
                const auto named = wanted ? signatures.find(table.recNo()) : signatures.end();
                customers::SavedSetup setup;
                for (std::size_t i = 0; i < fields.size(); ++i) {
                    out += '\t';
                    if (!present[i]) continue;
                    auto text = table.fieldText(fields[i].name);
                    if (!text) return text.status();
                    std::string& value = fields[i].text(setup);
                    value = customers::withoutTrailingBlanks(std::move(text).value());
                    appendCopyText(value, out);
                }
                if (named != signatures.end()) named->second = customers::setupSignature(setup);
                const std::string created = createdFromDate(setup.date);
                out += '\t';
                out += created.empty() ? "\\N" : created;
                out += '\n';
                ++report.read;
                if (Status s = table.next(); !s) return s;
            }
            if (progress && !progress(static_cast<std::uint64_t>(report.read), total)) {
                return Status::cancelled("The import was cancelled; nothing was imported.");
            }
            return !table.eof();
        });
    if (!copied) return copied.status();

    const std::string uuid =
        "md5('quivra-import:' || " + std::to_string(*shop) + " || ':' || recno)::uuid";
    auto already =
        connection.exec("SELECT count(*) FROM import_rows r JOIN setups s ON s.id = " + uuid);
    if (!already) return already.status();
    report.present = std::stol(already->text(0, 0));
    // A set-up record that was not read (deleted, or beyond the table) is
    // no build's set-up.
    for (auto it = signatures.begin(); it != signatures.end();) {
        it = it->second.empty() ? signatures.erase(it) : std::next(it);
    }
    if (dryRun) {
        report.added = report.read - report.present;
        if (Status s = importBuilds(connection, *shop, true, *builds, signatures, report); !s) {
            return s;
        }
        return report;  // the transaction rolls back
    }
    auto added = connection.exec("INSERT INTO setups (id, shop_id, " + setupFieldColumns() +
                                 ", created, changed) SELECT " + uuid + ", " +
                                 std::to_string(*shop) + ", " + setupFieldColumns() +
                                 ", coalesce(created, now()), now() FROM import_rows"
                                 " ON CONFLICT (id) DO NOTHING");
    if (!added) return added.status();
    report.added = added->affected();
    if (Status s = importBuilds(connection, *shop, false, *builds, signatures, report); !s) {
        return s;
    }
    if (Status s = transaction.commit(); !s) return s;
    return report;
}

}  // namespace quivra::chain
