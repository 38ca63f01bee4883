#pragma once
// TShopInf ("2012 Shop Information"): edits the shop's own record, printed at
// the head and foot of every report.  "Save" writes the record and keeps the
// window open; "Exit" closes it, dropping changes made since the last Save.
// The country is not shown and stays as stored.
//
// Construction reads SHOPINFO.DBF; a missing or damaged file throws
// shell::UserError with the storage message (the modal pattern shows it).

#include "ShopRecord.h"

#include <QDialog>

#include <array>
#include <filesystem>

class QLineEdit;
class QPushButton;

namespace quivra::customers {

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
    std::array<QLineEdit*, 9> m_edits{};  // DBEdit1 .. DBEdit9
    QPushButton* m_saveButton;
    QPushButton* m_exitButton;
};

}  // namespace quivra::customers
