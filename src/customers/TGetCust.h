#pragma once
// TGetCust ("2012 Retrieve Customer Information"): browses the saved set-ups
// in name order, finds a customer by the first letters of the name, corrects
// the address through the navigator's Edit and Post, prints the customer
// record and returns the set-up to the main window ("Return Data").  Below
// the address, the history lists every set-up of the customer on screen
// (HistoryPanel.h); choosing one shows it.  A set-up saved with its arrow
// can be re-ordered (the set-up goes back to the main window with the
// build, for the build sheet) and printed as a bench work ticket.
//
// Construction opens the customer store (SetupStore.h: Saveddb.dbf with
// Saved.idx, or the chain's server, as Shop Information chose) and shows the
// first customer in name order; a missing or unusable file throws shell::UserError with the
// storage message (the modal pattern shows it).  A damaged table is said so
// and offered for repair (RepairOffer.h); declined, it is browsed read-only.  `result` receives the
// set-up when "Return Data" closes the window and is left alone otherwise.

#include "CustomerCommands.h"
#include "RecordNavigator.h"
#include "SetupStore.h"

#include <QDialog>

#include <cstdint>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QPushButton;

namespace quivra::customers {

class AddressPanel;
class HistoryPanel;
class SetupHeaderPanel;

class TGetCust : public QDialog {
    Q_OBJECT
public:
    TGetCust(const std::filesystem::path& dataDir, PrintCustomerFn print,
             std::optional<RestoredSetup>* result, QWidget* parent = nullptr);
    // With the ticket command; `result` also receives the build on Re-order.
    TGetCust(const std::filesystem::path& dataDir, RetrievalCommands commands,
             std::optional<Retrieved>* result, QWidget* parent = nullptr);

    void DBNavigator1Click(RecordNavigator::Button button);
    // "Search": asks for the leading letters and goes to the first match.
    void Button1Click();
    // "Return Data": hands the current set-up back and closes.
    void ReturnDataBtnClick();
    // "Print": prints what the window shows.
    void SpeedButton1Click();
    // "Save as PDF": the same page as a PDF file.
    void SavePdfBtnClick();
    // "Preview": the same page in the print preview.
    void PreviewBtnClick();
    // "Re-order": hands the current set-up back with its build and closes.
    void ReorderBtnClick();
    // "Ticket...": the bench work ticket of the current set-up's build.
    void TicketBtnClick();
    // A line of the history chosen: shows that set-up.
    void HistoryChosen(const SetupId& id);
    // "Close": closes; an edit not posted is dropped.
    void ExitBtnClick();

    // The texts the window shows now (what Print prints).
    [[nodiscard]] CustomerRecordView shownRecord() const;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    TGetCust(const std::filesystem::path& dataDir, RetrievalCommands commands,
             std::optional<RestoredSetup>* setupResult, std::optional<Retrieved>* result,
             QWidget* parent);
    // The history entry of the record on screen, or nullptr.
    [[nodiscard]] const HistoryEntry* shownEntry() const;
    // Lists the history of the customer at `address` on screen (`again`:
    // re-read it).
    void showHistory(const CustomerAddress& address, bool again);
    // Re-order and Ticket: enabled for a set-up on screen saved with its
    // arrow, not while an address is being edited.
    void updateBuildButtons(bool editing);
    // Before the window closes: an address edit that differs from the stored
    // record is saved, discarded or kept open as the user answers "Save the
    // changes to this customer?".  False when the window must stay open.
    bool settlePendingEdit();
    // Moves with `step`; at either end the window stays on the record it was on.
    void move(storage::Status (SetupStore::*step)());
    // Fills the edits (and with `header` the header panel) from the current
    // record, and lists its customer's history (`historyAgain`: re-read it).
    void showCurrent(bool header, bool historyAgain = false);
    void setEditing(bool editing);
    void showStatus(const storage::Status& status);
    // Tells the user once what the store noticed (a name index rebuilt).
    void showNotice();

    std::unique_ptr<SetupStore> m_store;
    PrintCustomerFn m_print;
    TicketFn m_ticket;
    std::optional<RestoredSetup>* m_setupResult;
    std::optional<Retrieved>* m_result;
    AddressPanel* m_address;
    SetupHeaderPanel* m_header;
    HistoryPanel* m_history;
    RecordNavigator* m_navigator;
    QPushButton* m_searchButton;
    QPushButton* m_returnButton;
    QPushButton* m_printButton;
    QPushButton* m_pdfButton;
    QPushButton* m_previewButton;
    QPushButton* m_reorderButton;
    QPushButton* m_ticketButton;
    QPushButton* m_closeButton;
    QPushButton* m_exitButton;
    std::string m_historyFailure;  // told once
};

}  // namespace quivra::customers
