// info, dump and export: the table commands of quivra-table.
#include "Command.h"
#include "TableStore.h"

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

void writeJsonString(std::string_view s, std::ostream& out) {
    out << '"';
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out << "\\\"";
                break;
            case '\\':
                out << "\\\\";
                break;
            case '\n':
                out << "\\n";
                break;
            case '\r':
                out << "\\r";
                break;
            case '\t':
                out << "\\t";
                break;
            default:
                if (u < 0x20) {
                    char esc[8];
                    std::snprintf(esc, sizeof esc, "\\u%04x", u);
                    out << esc;
                } else {
                    out << c;
                }
        }
    }
    out << '"';
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
    TableStore table(args[0]);
    if (auto s = table.open(); !s) return fail(s);
    const auto& fields = table.fields();
    if (json) std::cout << "[";
    for (std::uint32_t rec = 1; rec <= table.recordCount(); ++rec) {
        if (auto s = table.goTo(rec); !s) return fail(s);
        if (json) {
            std::cout << (rec > 1 ? ",\n" : "\n") << "{\"record\":" << rec
                      << ",\"deleted\":" << (table.isDeleted() ? "true" : "false")
                      << ",\"fields\":{";
        } else {
            std::cout << "Record " << rec << (table.isDeleted() ? " (deleted)" : "") << '\n';
        }
        for (std::size_t i = 0; i < fields.size(); ++i) {
            auto text = table.fieldText(fields[i].name);
            if (!text) return fail(text.status());
            const std::string_view value =
                fields[i].type == 'C' ? trimRight(*text) : std::string_view(*text);
            if (json) {
                if (i > 0) std::cout << ',';
                writeJsonString(fields[i].name, std::cout);
                std::cout << ':';
                writeJsonString(value, std::cout);
            } else {
                std::cout << "  " << fields[i].name << ": " << value << '\n';
            }
        }
        if (json) std::cout << "}}";
    }
    if (json) std::cout << "\n]\n";
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
