#include "SyncCommands.h"

#include "CustomerBase.h"
#include "CustomerDbSettings.h"
#include "CustomerFiles.h"
#include "DataFolder.h"
#include "Schema.h"
#include "ServerExport.h"
#include "ShopImport.h"

#include <iostream>

namespace quivra::sync {

namespace {

bool takesValue(const std::string& option) {
    return option == "--data" || option == "--server" || option == "--shop" || option == "--out";
}

// The server to work on: --server, else the data folder's choice in Shop
// Information.
core::Result<std::unique_ptr<chain::PgConnection>> connect(const SyncOptions& options,
                                                           const std::filesystem::path& dataDir) {
    std::string conninfo;
    if (options.server) {
        conninfo = *options.server;
    } else {
        auto settings = customers::loadCustomerDbSettings(dataDir);
        if (!settings) return settings.status();
        if (settings->kind != customers::CustomerDbKind::Server) {
            return core::Status::invalidArgument(
                "The data folder " + dataDir.string() +
                " keeps its customers on this computer. Choose the shared server in Shop "
                "Information, or name the server with --server.");
        }
        if (core::Status s = customers::checkCustomerDbSettings(*settings); !s) return s;
        conninfo = customers::connectionString(*settings, "quivra-sync");
    }
    auto connection = chain::PgConnection::connect(conninfo);
    if (!connection) return connection.status();
    if (core::Status s = chain::migrate(**connection); !s) return s;
    return connection;
}

int fail(const core::Status& status) {
    std::cerr << "quivra-sync: " << status.message() << '\n';
    return 1;
}

}  // namespace

SyncOptions parseSyncOptions(const std::vector<std::string>& args) {
    SyncOptions o;
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--dry-run") {
            o.dryRun = true;
        } else if (takesValue(a)) {
            if (i + 1 >= args.size()) {
                o.error = "option " + a + " needs a value";
                return o;
            }
            const std::string& v = args[++i];
            if (a == "--data") o.dataDir = v;
            if (a == "--server") o.server = v;
            if (a == "--shop") o.shop = v;
            if (a == "--out") o.out = v;
        } else if (!a.empty() && a.front() == '-') {
            o.error = "unknown option '" + a + "'";
            return o;
        } else {
            words.push_back(a);
        }
    }
    if (o.help || o.version) return o;
    if (words.empty()) {
        o.error = "no command given";
        return o;
    }
    o.command = words.front();
    if (o.command == "import") {
        if (words.size() != 2) {
            o.error = "import needs the folder (or table) to import";
        } else if (!o.shop || o.shop->empty()) {
            o.error = "import needs --shop NAME";
        } else {
            o.source = words[1];
        }
    } else if (o.command == "export" || o.command == "migrate" || o.command == "sync") {
        if (words.size() != 1) o.error = o.command + " takes no further words";
    } else {
        o.error = "unknown command '" + o.command + "'";
    }
    return o;
}

std::string syncHelpText() {
    return "Usage: quivra-sync [OPTION]... COMMAND\n"
           "Moves a shop's saved set-ups into the chain's customer database on a PostgreSQL\n"
           "server, writes the chain's set-ups back out, and keeps the server's tables up\n"
           "to date.\n"
           "\n"
           "Commands:\n"
           "  import PATH --shop NAME  load the set-ups of PATH (a data folder holding\n"
           "                           Saveddb.dbf, or a table) for the shop NAME, with the\n"
           "                           folder's builds (Builds.dbf); importing the same\n"
           "                           table again adds nothing\n"
           "  export                   write Saveddb.dbf, Saved.idx, custdb.txt, Builds.dbf,\n"
           "                           Builds.idx and builds.txt of the chain's set-ups (of\n"
           "                           one shop with --shop) into the folder of --out\n"
           "                           (default: the working folder)\n"
           "  migrate                  bring the server's tables to this version\n"
           "  sync                     send the data folder's saves that wait for the server\n"
           "\n"
           "Options:\n"
           "      --data DIR       the data folder whose Shop Information names the server\n"
           "                       (default: the folder Quivra would use)\n"
           "      --server CONN    the server as a libpq connection string, e.g.\n"
           "                       \"host=db.example dbname=quivra user=owner "
           "sslmode=verify-full\"\n"
           "      --shop NAME      the shop (import: required; export: only its set-ups)\n"
           "      --out DIR        where export writes (default: the working folder)\n"
           "      --dry-run        import: count what would be imported, change nothing\n"
           "      --help           display this help and exit\n"
           "      --version        output version information and exit\n"
           "\n"
           "The password is read from ~/.pgpass (or the file PGPASSFILE names) or, when\n"
           "that has none, from the desktop keyring through secret-tool (attributes\n"
           "service quivra-customer-db host H port P database D user U).\n"
           "Exit status: 0 when the command did its work, 1 when it failed, 2 for a usage\n"
           "error.\n";
}

int runSync(const SyncOptions& options) {
    std::filesystem::path dataDir;
    if (!options.server || options.command == "sync") {
        auto folder = datafolder::resolveDataFolder(options.dataDir,
                                                    datafolder::Environment::current(), false);
        if (!folder) return fail(folder.status());
        dataDir = folder->path;
    }
    if (options.command == "sync") {
        chain::CustomerBase base(dataDir);
        auto report = base.syncNow();
        if (!report) return fail(report.status());
        std::cout << report->sent << " waiting saves sent; " << report->remaining
                  << " still waiting\n";
        return 0;
    }
    auto connection = connect(options, dataDir);
    if (!connection) return fail(connection.status());
    chain::PgConnection& db = **connection;
    if (options.command == "migrate") {
        std::cout << "The customer database is at version " << chain::kSchemaVersion << ".\n";
        return 0;
    }
    if (options.command == "import") {
        std::filesystem::path table = options.source;
        if (std::filesystem::is_directory(table)) table /= customers::kSavedTableFile;
        auto report = chain::importShop(db, table, *options.shop, options.dryRun);
        if (!report) return fail(report.status());
        for (const std::string& field : report->missingFields) {
            std::cout << table.filename().string() << " has no " << field
                      << " field: imported blank\n";
        }
        std::cout << report->read << " set-ups read from " << table.string() << "; "
                  << report->added << (options.dryRun ? " would be new" : " new") << ", "
                  << report->present << " already on the server"
                  << (options.dryRun ? " (dry run: nothing was changed)" : "") << '\n';
        if (report->buildsRead > 0) {
            std::cout << report->buildsRead << " builds read; " << report->buildsAdded
                      << (options.dryRun ? " would be new" : " new") << ", "
                      << report->buildsPresent << " already on the server, "
                      << report->buildsOrphaned << " naming no imported set-up, "
                      << report->buildsMismatched
                      << " naming a set-up that has changed since (not imported)\n";
        }
        return 0;
    }
    // export
    std::optional<int> shop;
    if (options.shop) {
        auto id = db.exec("SELECT id FROM shops WHERE name = $1", {*options.shop});
        if (!id) return fail(id.status());
        if (id->rows() == 0) {
            return fail(core::Status::notFound("There is no shop named '" + *options.shop +
                                               "' on the server."));
        }
        shop = std::stoi(id->text(0, 0));
    }
    const std::filesystem::path out = options.out.value_or(std::filesystem::current_path());
    auto table = chain::exportSetupsTable(db, shop, out);
    if (!table) return fail(table.status());
    std::cout << table->setups << " set-ups written to "
              << (out / customers::kSavedTableFile).string() << " and "
              << (out / customers::kExportFile).string() << "; " << table->builds << " builds to "
              << (out / customers::kBuildsTableFile).string() << " and "
              << (out / customers::kBuildsExportFile).string() << '\n';
    if (table->textsCut > 0) {
        std::cout << table->textsCut
                  << " texts were longer than their field and were cut in Saveddb.dbf; "
                     "custdb.txt holds them whole\n";
    }
    if (table->textsReplaced > 0) {
        std::cout << table->textsReplaced
                  << " texts hold letters Saveddb.dbf's code page lacks, written there with '?'; "
                     "custdb.txt holds them whole\n";
    }
    if (table->buildTextsCut > 0) {
        std::cout << table->buildTextsCut
                  << " build texts were longer than their field and were cut in Builds.dbf and "
                     "builds.txt\n";
    }
    if (table->buildTextsReplaced > 0) {
        std::cout << table->buildTextsReplaced
                  << " build texts hold letters Builds.dbf's code page lacks, written there and "
                     "in builds.txt with '?'\n";
    }
    return 0;
}

}  // namespace quivra::sync
