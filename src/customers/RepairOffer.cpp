#include "RepairOffer.h"

#include "MessageBox.h"
#include "ProgressRunner.h"

#include <QString>

namespace quivra::customers {

bool offerRepair(QWidget* parent, const DamagedTable& damaged, storage::FileIo& io) {
    if (damaged.damage.isOk()) return false;
    const QString title = QString::fromLatin1(kDamagedTableTitle);
    if (shell::MessageBox::question(parent, title,
                                    QString::fromStdString(repairQuestion(damaged))) !=
        shell::MessageBox::Answer::Yes) {
        return false;
    }
    // A large table takes a while: repaired off the window's thread, with
    // progress and Cancel (a cancelled repair leaves every file as it was).
    storage::Result<std::string> done{std::string()};
    shell::runWithProgress(
        parent, title,
        QString::fromStdString("Repairing " + damaged.table.filename().string() + "..."),
        [&](const storage::ProgressFn& progress) {
            done = repairTable(damaged, io, std::chrono::system_clock::now(), progress);
        });
    if (!done && done.status().code() == storage::Status::Code::Cancelled) return false;
    if (!done) {
        shell::MessageBox::error(parent, QString::fromStdString(done.status().message()), title);
        return false;
    }
    shell::MessageBox::information(parent, QString::fromStdString(*done), title);
    return true;
}

}  // namespace quivra::customers
