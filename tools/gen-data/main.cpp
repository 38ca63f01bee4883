// quivra-gen-data: writes the program's delivered data.
//
//   quivra-gen-data derive <data-dir>
//       recomputes specs.csv, the chart CSVs and newtraj.csv from the models
//   quivra-gen-data build <data-dir> <run-dir>
//       writes every delivered table, text file and picture into <run-dir>;
//       the shop's own tables are written only where missing
//
// Exit status 0 on success, 1 on a data or file error (message on stderr),
// 2 on wrong arguments.

#include "DataBuilder.h"
#include "Derive.h"
#include "Pictures.h"
#include "RunFolderInstaller.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace quivra::gendata;

bool loadPictureInputs(const std::filesystem::path& data, PictureInputs& in, std::string& error) {
    auto fam = CsvTable::read(data / "families.csv", error);
    if (!fam) return false;
    auto families = familiesFromCsv(*fam, error);
    if (!families) return false;
    auto specs = CsvTable::read(data / "specs.csv", error);
    if (!specs) return false;
    auto catalogue = catalogueFromCsv(*specs, error);
    if (!catalogue) return false;
    in.families = *families;
    in.catalogue = *catalogue;
    for (ChartKind kind : allCharts()) {
        auto csv = CsvTable::read(data / chartShape(kind).csvName, error);
        if (!csv) return false;
        auto chart = chartFromCsv(kind, *csv, error);
        if (!chart) return false;
        in.charts.push_back(*chart);
    }
    return true;
}

// Qt's notice about a missing XDG_RUNTIME_DIR means nothing for a program
// that only paints into images; everything else goes to stderr as usual.
void messageFilter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

int build(int argc, char** argv, const std::filesystem::path& data,
          const std::filesystem::path& run) {
    // Fonts need a GUI application; no window is ever shown.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(messageFilter);
    QGuiApplication app(argc, argv);

    std::string error;
    std::error_code ec;
    std::filesystem::create_directories(run, ec);
    const auto staging = run / ".gen-data-staging";
    RunFolderInstaller installer(staging, run);
    DataBuilder builder(data, run, staging);
    bool ok = builder.run(installer, error);
    if (ok) {
        PictureInputs in;
        std::vector<std::string> names;
        ok = loadPictureInputs(data, in, error) &&
             drawAllPictures(in, staging / "pictures", names, error);
        for (std::size_t i = 0; ok && i < names.size(); ++i)
            ok = installer.installReference(std::filesystem::path("pictures") / names[i], error);
    }
    std::filesystem::remove_all(staging, ec);
    for (const auto& note : builder.notes())
        std::fprintf(stderr, "quivra-gen-data: %s\n", note.c_str());
    if (!ok) {
        std::fprintf(stderr, "quivra-gen-data: %s\n", error.c_str());
        return 1;
    }
    std::printf("quivra-gen-data: %zu files written, %zu unchanged in %s\n",
                installer.written().size(), installer.unchanged().size(), run.string().c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    std::string error;
    if (mode == "derive" && argc == 3) {
        auto data = deriveAll(argv[2], error);
        if (!data || !writeDerived(*data, argv[2], error)) {
            std::fprintf(stderr, "quivra-gen-data: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if (mode == "build" && argc == 4) {
        // Absolute paths: the table store resolves a relative index path
        // beside its table, which would double a relative folder.
        std::error_code ec;
        const auto data = std::filesystem::absolute(argv[2], ec);
        const auto run = std::filesystem::absolute(argv[3], ec);
        if (ec) {
            std::fprintf(stderr, "quivra-gen-data: %s\n", ec.message().c_str());
            return 1;
        }
        return build(argc, argv, data, run);
    }
    std::fprintf(stderr,
                 "usage: quivra-gen-data derive <data-dir>\n"
                 "       quivra-gen-data build <data-dir> <run-dir>\n");
    return 2;
}
