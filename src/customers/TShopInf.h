#pragma once
// TShopInf ("2012 Shop Information"): edits the shop's own record, printed at
// the head and foot of every report.  "Save" writes the record and keeps the
// window open; "Exit" closes it, dropping changes made since the last Save.
// The country is not shown and stays as stored.
//
// "Customer database:" chooses where the saved set-ups are kept: this
// computer (the default) or a shared server of the chain.  Save writes that
// choice to CustomerDb.conf (never into SHOPINFO.DBF) when it changed, after
// checking it (a server on another machine needs TLS; the server tells shops
// apart by the shop's name, so it needs one).
//
// Construction reads SHOPINFO.DBF; a missing or damaged file throws
// shell::UserError with the storage message (the modal pattern shows it).

#include "CustomerDbSettings.h"
#include "ShopRecord.h"

#include <QDialog>

#include <array>
#include <filesystem>

class QLineEdit;
class QPushButton;

namespace quivra::customers {

class CustomerDbPanel;

class TShopInf : public QDialog {
    Q_OBJECT
public:
    explicit TShopInf(std::filesystem::path dataDir, QWidget* parent = nullptr);

    void ShopInfSaveBtnClick();
    void ShopInfExitBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    [[nodiscard]] ShopRecord editedRecord() const;

    std::filesystem::path m_dataDir;
    ShopRecord m_record;                  // as last read or saved
    CustomerDbSettings m_database;        // as last read or saved
    std::array<QLineEdit*, 9> m_edits{};  // DBEdit1 .. DBEdit9
    CustomerDbPanel* m_databasePanel;
    QPushButton* m_saveButton;
    QPushButton* m_exitButton;
};

}  // namespace quivra::customers
