// quivra-screenshots: builds the main window on the data of the working
// directory, without a display if need be, and saves a picture of each
// category page (and of the Hunting page with the carbon panel open) and of
// every other window the program opens into the folder named on the command
// line.  For reviewing the layout.

#include "ErrorHandler.h"
#include "MessageBox.h"
#include "ProgramWindows.h"
#include "TArrowSel.h"

#include <QDir>
#include <QPixmap>

#include <array>
#include <cstdio>
#include <memory>

namespace {

bool save(QWidget* widget, const QDir& dir, const QString& name) {
    QApplication::processEvents();
    const QString file = dir.filePath(name + QStringLiteral(".png"));
    if (!widget->grab().save(file)) {
        std::fprintf(stderr, "quivra-screenshots: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    quivra::shell::QuivraApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quivra-screenshots <output-folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.absolutePath())) {
        std::fprintf(stderr, "quivra-screenshots: cannot create %s\n", argv[1]);
        return 1;
    }
    // Boxes answer themselves and their texts are listed, so nothing blocks.
    quivra::shell::MessageBox::setAutoAnswer(true);

    using quivra::core::Page;
    quivra::app::TArrowSel window(".");
    window.show();
    bool ok = true;
    const std::array<std::pair<Page, const char*>, 4> pages{{{Page::Hunt, "page_hunt"},
                                                             {Page::Targ, "page_targ"},
                                                             {Page::Youth, "page_youth"},
                                                             {Page::Kstr, "page_kstr"}}};
    for (const auto& [page, name] : pages) {
        window.setActivePage(page);
        ok = save(&window, out, QString::fromLatin1(name)) && ok;
    }
    window.setActivePage(Page::Hunt);
    window.HWtBtn9Click();
    ok = save(&window, out, QStringLiteral("page_hunt_carbon")) && ok;

    // Every other window the program can open, made as its command makes it.
    for (const quivra::app::ProgramWindow& entry : quivra::app::programWindows()) {
        if (entry.name == window.objectName()) continue;
        quivra::shell::guarded(nullptr, [&] {
            const std::unique_ptr<QWidget> other = entry.make(window);
            other->show();
            ok = save(other.get(), out, QStringLiteral("window_") + entry.name) && ok;
        });
    }

    for (const QString& text : quivra::shell::MessageBox::shownTexts()) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    return ok ? 0 : 1;
}
