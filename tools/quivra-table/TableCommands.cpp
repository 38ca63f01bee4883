// info, dump and export: the table commands of quivra-table.
#include "Command.h"
#include "TableFile.h"
#include "TableStore.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <string_view>

namespace quivra::tabletool {

namespace {

using storage::Status;
using storage::TableStore;

std::string versionText(std::uint8_t v) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", v);
    switch (v) {
        case 0x03:
            return std::string(hex) + " (FoxPro 2.x / dBASE III, no memo)";
        case 0x83:
            return std::string(hex) + " (dBASE III with .DBT memo)";
        case 0xF5:
            return std::string(hex) + " (FoxPro 2.x with .FPT memo)";
        case 0x30:
        case 0x31:
        case 0x32:
            return std::string(hex) + " (Visual FoxPro)";
        default:
            return hex;
    }
}

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// Appends `s` to `out` as a JSON string.  Most values need no escapes and
// go in whole.
void appendJsonString(std::string_view s, std::string& out) {
    out += '"';
    const bool plain = std::none_of(s.begin(), s.end(), [](char c) {
        return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
    });
    if (plain) {
        out.append(s);
        out += '"';
        return;
    }
    for (const char c : s) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char esc[8];
                    std::snprintf(esc, sizeof esc, "\\u%04x", static_cast<unsigned>(c));
                    out += esc;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

// Writes `text` to stdout; false when stdout refused it.
bool put(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

// dump --json: read in batches straight from the table file and written in
// large blocks, one pass, no lookup of fields by name.
int dumpJson(const std::string& path) {
    constexpr std::uint32_t kBatch = 512;
    constexpr std::size_t kFlush = 1U << 20;
    auto opened = storage::TableFile::open(path, storage::FileIo::posix());
    if (!opened) return fail(opened.status());
    const storage::TableFile& table = **opened;
    const auto& fields = table.fields();
    std::vector<std::string> keys;  // "\"NAME\":" of each field
    for (const auto& f : fields) {
        keys.emplace_back();
        appendJsonString(f.name, keys.back());
        keys.back() += ':';
    }
    const std::uint32_t count = table.recordCount();
    const std::size_t rl = table.recordLength();
    std::string out = "[";
    out.reserve(kFlush + 65536);
    std::string records;
    std::string value;
    for (std::uint32_t first = 1; first <= count; first += kBatch) {
        const std::uint32_t n = std::min(kBatch, count - first + 1);
        if (Status s = table.readRecords(first, n, records); !s) return fail(s);
        for (std::uint32_t i = 0; i < n; ++i) {
            const std::string_view record(records.data() + i * rl, rl);
            char number[16];
            const auto end = std::to_chars(number, number + sizeof number, first + i).ptr;
            out += first + i > 1 ? ",\n{\"record\":" : "\n{\"record\":";
            out.append(number, end);
            out += storage::TableFile::isDeleted(record) ? R"(,"deleted":true,"fields":{)"
                                                         : R"(,"deleted":false,"fields":{)";
            for (std::size_t f = 0; f < fields.size(); ++f) {
                if (f > 0) out += ',';
                out += keys[f];
                value.clear();
                if (Status s = table.appendFieldText(record, f, value); !s) return fail(s);
                appendJsonString(fields[f].type == 'C' ? trimRight(value) : std::string_view(value),
                                 out);
            }
            out += "}}";
        }
        if (out.size() >= kFlush) {
            if (!put(out)) return kExitFailure;
            out.clear();
        }
    }
    out += "\n]\n";
    if (!put(out) || std::fflush(stdout) != 0) return kExitFailure;
    if (const Status& damage = table.damage(); !damage) {
        std::cerr << "quivra-table: warning: " << damage.message() << '\n';
    }
    return kExitOk;
}

int runInfo(const std::vector<std::string>& args) {
    if (args.size() != 1) return usage("info", "FILE");
    TableStore table(args[0]);
    if (auto s = table.open(); !s) return fail(s);
    std::cout << "File:         " << args[0] << '\n'
              << "Version:      " << versionText(table.version()) << '\n'
              << "Code page:    " << storage::codePageName(table.codePage()) << '\n'
              << "Records:      " << table.recordCount() << '\n'
              << "Fields:       " << table.fields().size() << '\n';
    if (const Status damage = table.damage(); !damage) {
        std::cout << "Damage:       " << damage.message() << '\n';
    }
    std::cout << "\nName        Type  Length  Decimals\n";
    for (const auto& f : table.fields()) {
        char line[64];
        std::snprintf(line, sizeof line, "%-10s  %c     %6u  %8u", f.name.c_str(), f.type,
                      unsigned{f.length}, unsigned{f.decimals});
        std::cout << line << '\n';
    }
    return kExitOk;
}

int runDump(const std::vector<std::string>& args) {
    const bool json = args.size() == 2 && args[1] == "--json";
    if (args.size() != 1 && !json) return usage("dump", "FILE [--json]");
    if (json) return dumpJson(args[0]);
    TableStore table(args[0]);
    if (auto s = table.open(); !s) return fail(s);
    const auto& fields = table.fields();
    for (std::uint32_t rec = 1; rec <= table.recordCount(); ++rec) {
        if (auto s = table.goTo(rec); !s) return fail(s);
        std::cout << "Record " << rec << (table.isDeleted() ? " (deleted)" : "") << '\n';
        for (const auto& field : fields) {
            auto text = table.fieldText(field.name);
            if (!text) return fail(text.status());
            const std::string_view value =
                field.type == 'C' ? trimRight(*text) : std::string_view(*text);
            std::cout << "  " << field.name << ": " << value << '\n';
        }
    }
    if (const Status damage = table.damage(); !damage) {
        std::cerr << "quivra-table: warning: " << damage.message() << '\n';
    }
    std::cout.flush();
    return std::cout ? kExitOk : kExitFailure;
}

int runExport(const std::vector<std::string>& args) {
    if (args.size() != 2) return usage("export", "FILE OUT");
    TableStore table(args[0]);
    if (auto s = table.open(); !s) return fail(s);
    if (auto s = table.copyToText(args[1], 21); !s) return fail(s);
    return kExitOk;
}

constexpr Command kCommands[] = {
    {"info", "FILE", "version, code page, record count and fields of a table", runInfo},
    {"dump", "FILE [--json]", "every record and field, memo texts included", runDump},
    {"export", "FILE OUT", "copy the table to delimited text (type 21)", runExport},
};

}  // namespace

std::span<const Command> tableCommands() {
    return kCommands;
}

}  // namespace quivra::tabletool
