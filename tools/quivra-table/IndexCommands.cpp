// seek, reindex, check and repair: the index and maintenance commands of
// quivra-table.
//   seek FILE INDEX TEXT       the first record whose key begins with TEXT
//   reindex FILE INDEX [EXPR]  writes INDEX on EXPR, or rebuilds it on its own expression
//   check FILE [INDEX]         reads every record and memo; with INDEX, checks that
//                              it holds exactly one key per record, in order
//   repair FILE [INDEX...]     a dated backup, then every whole record kept, the count
//                              and end marker mended and the indexes rebuilt
// Index paths are taken as typed, relative to the current folder.
#include "Command.h"
#include "FileIo.h"
#include "IndexFile.h"
#include "TableCheck.h"
#include "TableFile.h"
#include "TableRepair.h"
#include "TableStore.h"

#include <chrono>
#include <filesystem>
#include <iostream>
#include <string_view>

namespace quivra::tabletool {

namespace {

using storage::FileIo;
using storage::IndexFile;
using storage::Status;
using storage::TableFile;
using storage::TableStore;

// TableStore looks for a relative index name beside the table; on the
// command line a path is relative to where the user stands.
std::filesystem::path asTyped(const std::string& path) {
    std::error_code ec;
    auto absolute = std::filesystem::absolute(path, ec);
    return ec ? std::filesystem::path(path) : absolute;
}

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

int runSeek(const std::vector<std::string>& args) {
    if (args.size() != 3) return usage("seek", "FILE INDEX TEXT");
    TableStore table(args[0]);
    if (Status s = table.open(); !s) return fail(s);
    if (Status s = table.selectIndex(asTyped(args[1])); !s) return fail(s);
    auto found = table.seek(args[2]);
    if (!found) return fail(found.status());
    if (!*found) {
        std::cout << "No record found for \"" << args[2] << "\"\n";
        return kExitOk;
    }
    std::cout << "Record " << table.recNo() << '\n';
    for (const auto& field : table.fields()) {
        auto text = table.fieldText(field.name);
        if (!text) return fail(text.status());
        std::cout << "  " << field.name << ": " << trimRight(*text) << '\n';
    }
    return kExitOk;
}

int runReindex(const std::vector<std::string>& args) {
    if (args.size() != 2 && args.size() != 3) return usage("reindex", "FILE INDEX [EXPR]");
    TableStore table(args[0]);
    if (Status s = table.open(); !s) return fail(s);
    const std::filesystem::path index = asTyped(args[1]);
    if (args.size() == 3) {
        if (Status s = table.createIndex(index, args[2]); !s) return fail(s);
    } else if (Status s = table.rebuildIndexFile(index); !s) {  // damaged nodes or not
        return fail(s);
    }
    std::cout << "Wrote " << args[1] << ": " << table.recordCount() << " keys\n";
    return kExitOk;
}

int runCheck(const std::vector<std::string>& args) {
    if (args.size() != 1 && args.size() != 2) return usage("check", "FILE [INDEX]");
    auto table = TableFile::open(args[0], FileIo::posix());
    if (!table) return fail(table.status());
    if (Status s = storage::TableCheck::run(**table); !s) return fail(s);
    std::cout << args[0] << ": " << (*table)->recordCount() << " records"
              << ((*table)->hasMemo() ? " and their memos" : "") << " read\n";
    if (args.size() == 2) {
        auto index = IndexFile::open(asTyped(args[1]), FileIo::posix(), **table);
        if (!index) return fail(index.status());
        if (Status s = (*index)->checkStructure(); !s) return fail(s);
        if (Status s = (*index)->verify(); !s) return fail(s);
        std::cout << args[1] << ": one key per record, in order (" << (*index)->expression()
                  << ")\n";
    }
    return kExitOk;
}

int runRepair(const std::vector<std::string>& args) {
    if (args.empty()) return usage("repair", "FILE [INDEX...]");
    std::vector<std::filesystem::path> indexes;
    for (std::size_t i = 1; i < args.size(); ++i) indexes.push_back(asTyped(args[i]));
    auto report = storage::TableRepair::repair(args[0], indexes, FileIo::posix(),
                                               std::chrono::system_clock::now());
    if (!report) return fail(report.status());
    std::cout << args[0] << ": " << report->text() << '\n';
    for (const auto& backup : report->backups) {
        std::cout << "Backup: " << backup.string() << '\n';
    }
    return kExitOk;
}

constexpr Command kCommands[] = {
    {"seek", "FILE INDEX TEXT", "the first record in key order whose key begins with TEXT",
     runSeek},
    {"reindex", "FILE INDEX [EXPR]",
     "writes INDEX on the key expression EXPR, or rebuilds it on its own expression", runReindex},
    {"check", "FILE [INDEX]",
     "reads every record and memo; with INDEX, checks one key per record in order (exit 1 if not)",
     runCheck},
    {"repair", "FILE [INDEX...]",
     "copies the files to a dated backup, keeps every whole record, mends the count and end "
     "marker and rebuilds each INDEX",
     runRepair},
};

}  // namespace

std::span<const Command> indexCommands() {
    return kCommands;
}

}  // namespace quivra::tabletool
