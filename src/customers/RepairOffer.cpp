#include "RepairOffer.h"

#include "MessageBox.h"

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
    auto done = repairTable(damaged, io, std::chrono::system_clock::now());
    if (!done) {
        shell::MessageBox::error(parent, QString::fromStdString(done.status().message()), title);
        return false;
    }
    shell::MessageBox::information(parent, QString::fromStdString(*done), title);
    return true;
}

}  // namespace quivra::customers
