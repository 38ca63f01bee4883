#include "SetupSql.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <random>

namespace quivra::chain {

using core::Result;
using core::Status;
using customers::CustomerAddress;
using customers::SavedSetup;

std::string columnOf(const customers::SetupField& field) {
    const std::string_view name = field.name;
    if (name == "DATE") return "saved_date";
    std::string column;
    for (const char c : name)
        column += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return column;
}

const std::string& setupFieldColumns() {
    static const std::string columns = [] {
        std::string list;
        for (const customers::SetupField& f : customers::setupFields()) {
            if (!list.empty()) list += ", ";
            list += columnOf(f);
        }
        return list;
    }();
    return columns;
}

const std::string& setupColumns() {
    static const std::string columns =
        std::string(R"(id, upper(name) COLLATE "C", )") + setupFieldColumns();
    return columns;
}

ServerSetup setupFromRow(const PgRows& rows, int row) {
    ServerSetup s;
    int c = 0;
    s.id = rows.text(row, c++);
    s.nameKey = rows.text(row, c++);
    for (const customers::SetupField& f : customers::setupFields()) {
        f.text(s.setup) = rows.text(row, c++);
    }
    return s;
}

Status checkStorable(const SavedSetup& setup) {
    for (const customers::SetupField& f : customers::setupFields()) {
        if (f.in(setup).find('\0') != std::string::npos) {
            return Status::encoding(std::string("The ") + f.name +
                                    " text holds a NUL character, which the customer database "
                                    "cannot keep. Remove it and save again.");
        }
    }
    return Status::ok();
}

Result<bool> insertSetup(PgConnection& connection, int shopId, const std::string& uuid,
                         const SavedSetup& setup, const std::string& created) {
    if (Status s = checkStorable(setup); !s) return s;
    std::vector<PgParam> params{uuid, std::to_string(shopId)};
    for (const customers::SetupField& f : customers::setupFields())
        params.emplace_back(f.in(setup));
    params.emplace_back(created);
    // $1 the UUID, $2 the shop, then the fields, and the creation time last
    // (also the time of the last change).
    static const std::string statement = [] {
        std::string sql = "INSERT INTO setups (id, shop_id, " + setupFieldColumns() +
                          ", created, changed) VALUES ($1, $2";
        const std::size_t count = customers::setupFields().size();
        for (std::size_t i = 0; i < count; ++i) sql += ", $" + std::to_string(i + 3);
        const std::string at = "$" + std::to_string(count + 3);
        return sql + ", " + at + ", " + at + ") ON CONFLICT (id) DO NOTHING";
    }();
    auto r = connection.exec(statement, params);
    if (!r) return r.status();
    return r->affected() == 1;
}

Result<bool> updateAddress(PgConnection& connection, const std::string& uuid,
                           const CustomerAddress& a, const std::string& changed) {
    if (Status s = checkStorable(SavedSetup{a, {}, {}}); !s) return s;
    auto r = connection.exec(
        "UPDATE setups SET name = $2, addr1 = $3, addr2 = $4, city = $5, state = $6, zip = $7, "
        "country = $8, ccode = $9, comments = $10, changed = $11 WHERE id = $1",
        {uuid, a.name, a.addr1, a.addr2, a.city, a.state, a.zip, a.country, a.ccode, a.comments,
         changed});
    if (!r) return r.status();
    return r->affected() == 1;
}

std::string newUuid() {
    // Fresh bytes from the system for every UUID: an engine seeded once
    // would repeat its UUIDs in every process forked after the seeding.
    std::random_device random;
    std::array<unsigned char, 16> b{};
    for (std::size_t i = 0; i < b.size(); i += 4) {
        const std::uint32_t v = random();
        for (std::size_t j = 0; j < 4; ++j) b[i + j] = static_cast<unsigned char>(v >> (8 * j));
    }
    b[6] = static_cast<unsigned char>((b[6] & 0x0f) | 0x40);  // version 4
    b[8] = static_cast<unsigned char>((b[8] & 0x3f) | 0x80);  // RFC 4122 variant
    std::string text;
    constexpr const char* kHex = "0123456789abcdef";
    for (std::size_t i = 0; i < b.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
        text += kHex[b[i] >> 4];
        text += kHex[b[i] & 0x0f];
    }
    return text;
}

std::string utcNowText() {
    using namespace std::chrono;
    const auto now = time_point_cast<microseconds>(system_clock::now());
    const auto day = floor<days>(now);
    const year_month_day date{day};
    const hh_mm_ss time{now - day};
    std::array<char, 40> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02u-%02uT%02d:%02d:%02d.%06ldZ",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()),
                  static_cast<long>(time.subseconds().count()));
    return text.data();
}

}  // namespace quivra::chain
