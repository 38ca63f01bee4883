#include "InfoWindows.h"

#include "DesktopOpen.h"
#include "MessageBox.h"
#include "ModalPattern.h"
#include "TAboutBox.h"
#include "TAboutBox1.h"
#include "TuningHelpWindow.h"

#include <QFileInfo>
#include <QUrl>

namespace quivra::info {

void openModelGuide(QWidget* parent, std::optional<core::Page> page,
                    const std::filesystem::path& dataDir) {
    shell::runModal<TAboutBox1>(parent, page, dataDir);
}

void openAbout(QWidget* parent, const std::filesystem::path& dataDir) {
    shell::runModal<TAboutBox>(parent, dataDir);
}

TuningHelpWindow* showTuningInformation(QWidget* parent, const std::filesystem::path& dataDir) {
    TuningHelpWindow* window = nullptr;
    if (parent != nullptr) {
        window = parent->findChild<TuningHelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    }
    if (window == nullptr) {
        // Owned by `parent` (or by itself when there is none) and deleted
        // when the user closes it.
        window = new TuningHelpWindow(dataDir, parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->showTopic(0);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

bool openTuningGuidePdf(QWidget* parent, const std::filesystem::path& dataDir) {
    const QString file = QString::fromStdU32String((dataDir / "tuning_guide.pdf").u32string());
    const QFileInfo info(file);
    if (!info.isFile()) {
        shell::MessageBox::information(
            parent, QObject::tr("The tuning guide %1 was not found.").arg(info.absoluteFilePath()));
        return false;
    }
    return openThroughDesktop(parent, QUrl::fromLocalFile(info.absoluteFilePath()));
}

}  // namespace quivra::info
