#include "ShopImport.h"

#include "Schema.h"
#include "TableStore.h"

#include <array>

namespace quivra::chain {

using core::Result;
using core::Status;

namespace {

// The table's fields in the server's column order.
constexpr std::array<const char*, 19> kFields{
    "NAME", "ADDR1", "ADDR2", "CITY",  "STATE", "ZIP",   "COUNTRY", "CCODE", "COMMENTS", "DATE",
    "HORT", "BOWWT", "ARLEN", "PNTWT", "BOTYP", "WHTYP", "RETYP",   "BOLEN", "ODLEN"};

constexpr std::size_t kDateField = 9;

constexpr const char* kColumns =
    "name, addr1, addr2, city, state, zip, country, ccode, comments, saved_date, hort, bowwt, "
    "arlen, pntwt, botyp, whtyp, retyp, bolen, odlen";

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

std::string rightTrimmed(std::string text) {
    const auto last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
    return text;
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
    if (m < "01" || m > "12" || d < "01" || d > "31" || y < "1900") return {};
    return std::string(y) + "-" + std::string(m) + "-" + std::string(d) + "T12:00:00Z";
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
    ImportReport report;
    std::array<bool, kFields.size()> present{};
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        present[i] = table.fieldIndex(kFields[i]) >= 0;
        if (!present[i]) report.missingFields.emplace_back(kFields[i]);
    }

    PgTransaction transaction(connection);
    if (!transaction.begun()) return transaction.begun();
    auto shop = shopId(connection, shopName);
    if (!shop) return shop.status();
    // Every column of the temporary table is text but recno and created.
    std::string typed;
    for (std::string_view rest = kColumns; !rest.empty();) {
        const auto comma = rest.find(',');
        typed += std::string(rest.substr(0, comma)) + " text, ";
        rest.remove_prefix(comma == std::string_view::npos ? rest.size() : comma + 2);
    }
    if (Status s = connection.execScript("CREATE TEMP TABLE import_rows (recno integer, " + typed +
                                         "created timestamptz) ON COMMIT DROP");
        !s) {
        return s;
    }

    const std::uint64_t total = table.recordCount();
    bool started = false;
    auto copied = connection.copyIn(
        std::string("COPY import_rows (recno, ") + kColumns + ", created) FROM STDIN",
        [&](std::string& out) -> Result<bool> {
            if (!started) {
                if (Status s = table.first(); !s) return s;
                started = true;
            }
            for (int n = 0; n < 2000 && !table.eof(); ++n) {
                out += std::to_string(table.recNo());
                std::string date;
                for (std::size_t i = 0; i < kFields.size(); ++i) {
                    out += '\t';
                    if (!present[i]) continue;
                    auto text = table.fieldText(kFields[i]);
                    if (!text) return text.status();
                    const std::string value = rightTrimmed(std::move(text).value());
                    if (i == kDateField) date = value;
                    appendCopyText(value, out);
                }
                const std::string created = createdFromDate(date);
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
    if (dryRun) {
        report.added = report.read - report.present;
        return report;  // the transaction rolls back
    }
    auto added = connection.exec(std::string("INSERT INTO setups (id, shop_id, ") + kColumns +
                                 ", created, changed) SELECT " + uuid + ", " +
                                 std::to_string(*shop) + ", " + kColumns +
                                 ", coalesce(created, now()), now() FROM import_rows"
                                 " ON CONFLICT (id) DO NOTHING");
    if (!added) return added.status();
    report.added = added->affected();
    if (Status s = transaction.commit(); !s) return s;
    return report;
}

}  // namespace quivra::chain
