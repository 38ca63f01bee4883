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

ServerSetup setupFromRow(const PgRows& rows, int row) {
    ServerSetup s;
    int c = 0;
    s.id = rows.text(row, c++);
    s.nameKey = rows.text(row, c++);
    CustomerAddress& a = s.setup.address;
    for (std::string* field : {&a.name, &a.addr1, &a.addr2, &a.city, &a.state, &a.zip, &a.country,
                               &a.ccode, &a.comments, &s.setup.date}) {
        *field = rows.text(row, c++);
    }
    customers::SetupCodes& k = s.setup.codes;
    for (std::string* field : {&k.hort, &k.bowWeight, &k.arrowLength, &k.pointWeight, &k.bowType,
                               &k.wheelType, &k.releaseType, &k.braceHt, &k.overDraw}) {
        *field = rows.text(row, c++);
    }
    return s;
}

namespace {

struct NamedText {
    const char* field;
    const std::string* text;
};

std::array<NamedText, 19> namedTexts(const SavedSetup& s) {
    const CustomerAddress& a = s.address;
    const customers::SetupCodes& k = s.codes;
    return {{{"NAME", &a.name},
             {"ADDR1", &a.addr1},
             {"ADDR2", &a.addr2},
             {"CITY", &a.city},
             {"STATE", &a.state},
             {"ZIP", &a.zip},
             {"COUNTRY", &a.country},
             {"CCODE", &a.ccode},
             {"COMMENTS", &a.comments},
             {"DATE", &s.date},
             {"HORT", &k.hort},
             {"BOWWT", &k.bowWeight},
             {"ARLEN", &k.arrowLength},
             {"PNTWT", &k.pointWeight},
             {"BOTYP", &k.bowType},
             {"WHTYP", &k.wheelType},
             {"RETYP", &k.releaseType},
             {"BOLEN", &k.braceHt},
             {"ODLEN", &k.overDraw}}};
}

}  // namespace

Status checkStorable(const SavedSetup& setup) {
    for (const NamedText& t : namedTexts(setup)) {
        if (t.text->find('\0') != std::string::npos) {
            return Status::encoding(std::string("The ") + t.field +
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
    for (const NamedText& t : namedTexts(setup)) params.emplace_back(*t.text);
    params.emplace_back(created);
    auto r = connection.exec(
        "INSERT INTO setups (id, shop_id, name, addr1, addr2, city, state, zip, country, ccode, "
        "comments, saved_date, hort, bowwt, arlen, pntwt, botyp, whtyp, retyp, bolen, odlen, "
        "created, changed) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13, $14, "
        "$15, $16, $17, $18, $19, $20, $21, $22, $22) ON CONFLICT (id) DO NOTHING",
        params);
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
