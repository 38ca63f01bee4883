// Build-time tool: prints the tuning guide to tuning_guide.pdf in the run
// folder, from the same Markdown text the help window shows.
//
//   quivra-tuning-pdf <tuning_guide.md> <tuning_guide.pdf>

#include "TuningGuide.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: quivra-tuning-pdf <guide.md> <guide.pdf>\n");
        return 2;
    }
    // Fonts need a GUI application; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "quivra-tuning-pdf: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString error = quivra::info::writeTuningGuidePdf(QString::fromUtf8(source.readAll()),
                                                            QString::fromLocal8Bit(argv[2]));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "quivra-tuning-pdf: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
