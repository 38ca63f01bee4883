#include "CustomerCommands.h"

#include "CustomerExport.h"
#include "MessageBox.h"
#include "ModalPattern.h"
#include "SavedSetupStore.h"
#include "TCustInfo.h"
#include "TGetCust.h"
#include "TShopInf.h"

#include <utility>

namespace quivra::customers {

using shell::MessageBox;

void saveSetup(QWidget* parent, const quivra::selection::SelectionInputs& inputs,
               std::optional<core::Page> searchedPage, const std::filesystem::path& dataDir) {
    shell::runModal<TCustInfo>(parent, inputs, searchedPage, dataDir);
}

std::optional<RestoredSetup> getSetup(QWidget* parent, const std::filesystem::path& dataDir,
                                      PrintCustomerFn print) {
    const auto count = SavedSetupStore::countRecords(dataDir);
    if (!count.isOk()) {
        MessageBox::error(parent, QString::fromStdString(count.status().message()));
        return std::nullopt;
    }
    if (count.value() == 0) {
        MessageBox::information(
            parent,
            QStringLiteral("There are no records on file currently, use Save Setup first."));
        return std::nullopt;
    }
    std::optional<RestoredSetup> result;
    shell::runModal<TGetCust>(parent, dataDir, std::move(print), &result);
    return result;
}

void exportCustomerDatabase(QWidget* parent, const std::filesystem::path& dataDir) {
    // The message comes only once the file is complete and in place.
    if (storage::Status s = exportCustomers(dataDir); !s) {
        MessageBox::error(parent, QString::fromStdString(s.message()));
        return;
    }
    MessageBox::information(parent, QString::fromLatin1(kExportDoneMessage));
}

void editShopInformation(QWidget* parent, const std::filesystem::path& dataDir) {
    shell::runModal<TShopInf>(parent, dataDir);
}

}  // namespace quivra::customers
