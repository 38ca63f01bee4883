#pragma once
// TCustInfo ("2012 Customer Information"): stores the main window's set-up
// for a customer.  The user types the name and address; "Save Record" checks
// that name, first address line, city and state are filled, appends the
// record with its name-index entry and closes; "Close" discards it.
//
// The window opens the customer store (SetupStore.h: the local tables or the
// chain's server, as Shop Information chose) only to save into it, so
// another copy of the program can save meanwhile.  Construction checks that the
// table and its index are there and throws shell::UserError with the storage
// message when they are not (the modal pattern shows it and goes on).  A
// damaged table is offered for repair first (RepairOffer.h); declined, the
// window does not open and the user is told that nothing is saved into it.

#include "DateText.h"
#include "FileIo.h"
#include "SavedBuild.h"
#include "SelectionInputs.h"
#include "SetupCodes.h"

#include <QDialog>
#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>

class QPushButton;

namespace quivra::shell {
class ValueLabel;
}
namespace quivra::customers {

class AddressPanel;
class SetupStore;
class SetupHeaderPanel;

class TCustInfo : public QDialog {
    Q_OBJECT
public:
    // `searchedPage` is the page of the main window's last search; the save
    // date is read from core::Clock.
    TCustInfo(const selection::SelectionInputs& inputs, std::optional<core::Page> searchedPage,
              std::filesystem::path dataDir, QWidget* parent = nullptr);
    // With `build`, the arrow chosen for the set-up, saved with it
    // (Builds.dbf beside the local tables, or the chain's server); without
    // one the set-up is saved exactly as before.
    TCustInfo(const selection::SelectionInputs& inputs, std::optional<core::Page> searchedPage,
              std::filesystem::path dataDir, std::optional<SavedBuild> build,
              QWidget* parent = nullptr);

    // "Save Record": validate, append, confirm, close.
    void PostBtnClick();
    // "Close": close without saving.
    void ExitBtnClick();

    // Routes the save through `io` (tests put a failing device there); it
    // must outlive the window.
    void setFileIo(storage::FileIo& io);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Tells the user once what the store noticed (a name index rebuilt).
    void showNotice(const std::string& notice);

    std::filesystem::path m_dataDir;
    std::optional<SavedBuild> m_build;
    storage::FileIo* m_io = &storage::FileIo::posix();
    SetupCodes m_codes;
    std::chrono::year_month_day m_date;
    AddressPanel* m_address;
    SetupHeaderPanel* m_header;
    shell::ValueLabel* m_dateText;
    QPushButton* m_saveButton;
    QPushButton* m_closeButton;
};

}  // namespace quivra::customers
