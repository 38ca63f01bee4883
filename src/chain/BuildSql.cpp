#include "BuildSql.h"

#include "BuildStore.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>
#include <variant>

namespace quivra::chain {

using core::Result;
using core::Status;
using customers::SavedBuild;

namespace {

std::string numberText(double value) {
    std::array<char, 32> buf{};
    const auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    return ec == std::errc() ? std::string(buf.data(), end) : std::string();
}

template <typename Number>
std::optional<Number> readNumber(std::string_view text) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

// The member's value as a text; nullopt for an empty optional.
std::optional<std::string> valueText(const SavedBuild& build,
                                     const customers::BuildMember& member) {
    struct Visit {
        const SavedBuild& b;
        std::optional<std::string> operator()(std::string SavedBuild::*m) const { return b.*m; }
        std::optional<std::string> operator()(double SavedBuild::*m) const {
            return numberText(b.*m);
        }
        std::optional<std::string> operator()(std::optional<double> SavedBuild::*m) const {
            if (!(b.*m)) return std::nullopt;
            return numberText(*(b.*m));
        }
        std::optional<std::string> operator()(int SavedBuild::*m) const {
            return std::to_string(b.*m);
        }
    };
    return std::visit(Visit{build}, member);
}

// Puts a value into a member; nullopt empties an optional and leaves any
// other number as it is.  False for a number that cannot be read.
bool setValue(SavedBuild& build, const customers::BuildMember& member,
              const std::optional<std::string_view>& v) {
    struct Visit {
        SavedBuild& b;
        const std::optional<std::string_view>& v;
        bool operator()(std::string SavedBuild::*m) const {
            b.*m = std::string(v.value_or(std::string_view()));
            return true;
        }
        bool operator()(double SavedBuild::*m) const {
            if (!v) return true;
            const auto d = readNumber<double>(*v);
            if (d) b.*m = *d;
            return d.has_value();
        }
        bool operator()(std::optional<double> SavedBuild::*m) const {
            const auto d = v ? readNumber<double>(*v) : std::nullopt;
            if (v && !d) return false;
            b.*m = d;
            return true;
        }
        bool operator()(int SavedBuild::*m) const {
            if (!v) return true;
            const auto i = readNumber<int>(*v);
            if (i) b.*m = *i;
            return i.has_value();
        }
    };
    return std::visit(Visit{build, v}, member);
}

const std::string& insertStatement() {
    static const std::string sql = [] {
        std::string columns = "id, setup_id, shop_id";
        std::string values = "$1, $2, $3";
        int n = 3;
        for (const customers::BuildField& c : customers::buildFields()) {
            columns += std::string(", ") + c.column;
            values += ", $" + std::to_string(++n);
        }
        const std::string created = "$" + std::to_string(++n);
        return "INSERT INTO builds (" + columns + ", created, changed) VALUES (" + values + ", " +
               created + ", " + created + ") ON CONFLICT (id) DO NOTHING";
    }();
    return sql;
}

}  // namespace

std::string buildColumns(std::string_view alias) {
    const std::string a(alias);
    std::string list = a + ".id AS b_id";
    for (const customers::BuildField& c : customers::buildFields()) {
        list += ", " + a + "." + c.column + " AS b_" + c.column;
    }
    return list;
}

int buildColumnCount() {
    return static_cast<int>(customers::buildFields().size()) + 1;
}

SavedBuild buildFromRow(const PgRows& rows, int row, int column, std::string* id) {
    if (id) *id = rows.text(row, column);
    SavedBuild build;
    int c = column + 1;
    for (const customers::BuildField& field : customers::buildFields()) {
        std::optional<std::string> text;
        if (!rows.isNull(row, c)) text = rows.text(row, c);
        ++c;
        // The server's numeric text always reads; the check only guards
        // against a column of another type.
        if (!setValue(build, field.member, text)) setValue(build, field.member, std::nullopt);
    }
    return build;
}

Status checkStorable(const SavedBuild& build) {
    for (const customers::BuildField& c : customers::buildFields()) {
        if (const auto* text = std::get_if<std::string SavedBuild::*>(&c.member)) {
            if ((build.*(*text)).find('\0') != std::string::npos) {
                return Status::encoding(std::string("The build's ") + c.column +
                                        " text holds a NUL character, which the customer "
                                        "database cannot keep. Remove it and save again.");
            }
            continue;
        }
        const std::optional<std::string> value = valueText(build, c.member);
        if (value && !std::isfinite(readNumber<double>(*value).value_or(0.0))) {
            return Status::invalidArgument(std::string("The build's ") + c.column + " is " +
                                           *value +
                                           ", which is no figure the customer "
                                           "database can keep. Check the build sheet and save "
                                           "again.");
        }
    }
    return Status::ok();
}

Result<bool> insertBuild(PgConnection& connection, int shopId, const std::string& buildUuid,
                         const std::string& setupUuid, const SavedBuild& build,
                         const std::string& created) {
    if (Status s = checkStorable(build); !s) return s;
    std::vector<PgParam> params{buildUuid, setupUuid, std::to_string(shopId)};
    params.reserve(customers::buildFields().size() + 4);
    for (const customers::BuildField& c : customers::buildFields())
        params.emplace_back(valueText(build, c.member));
    params.emplace_back(created);
    auto r = connection.exec(insertStatement(), params);
    if (!r) return r.status();
    return r->affected() == 1;
}

std::vector<std::pair<std::string, std::string>> buildTexts(const SavedBuild& build) {
    std::vector<std::pair<std::string, std::string>> texts;
    texts.reserve(customers::buildFields().size());
    for (const customers::BuildField& c : customers::buildFields()) {
        texts.emplace_back(c.column, valueText(build, c.member).value_or(std::string()));
    }
    return texts;
}

Result<bool> setBuildText(SavedBuild& build, std::string_view key, std::string_view text) {
    for (const customers::BuildField& c : customers::buildFields()) {
        if (key != c.column) continue;
        // "" is an empty optional; any other number must be there whole.
        const bool optional = std::holds_alternative<std::optional<double> SavedBuild::*>(c.member);
        const bool isText = std::holds_alternative<std::string SavedBuild::*>(c.member);
        std::optional<std::string_view> value(text);
        if (optional && text.empty()) value.reset();
        if ((!isText && !optional && text.empty()) || !setValue(build, c.member, value)) {
            return Status::conversion("The build's " + std::string(key) + " holds '" +
                                      std::string(text) + "', which is not a number.");
        }
        return true;
    }
    return false;
}

}  // namespace quivra::chain
