#pragma once
// TBenchTicket ("Bench Work Ticket"): the ticket for one build, on screen
// as it will print, with Print, Save as PDF, Preview and Close.  The
// ticket's number is taken from the shop's counter when the ticket is
// first printed, saved or previewed, and kept for the window's life: every
// copy printed from one window carries the same number, and a window
// closed without any output uses none.

#include "BenchTicket.h"
#include "Status.h"

#include <QDialog>

#include <cstdint>
#include <functional>

class QFormLayout;
class QLabel;

namespace quivra::shell {
class ValueLabel;
}
class QPushButton;

namespace quivra::reports {

// Takes the next ticket number (chain::CustomerBase::nextTicketNumber of the
// data folder, in the program).
using TicketNumberFn = std::function<quivra::storage::Result<std::uint32_t>()>;

class TBenchTicket : public QDialog {
    Q_OBJECT
public:
    TBenchTicket(TicketData ticket, TicketNumberFn nextNumber, QWidget* parent = nullptr);

    void PrintBtnClick();
    void SavePdfBtnClick();
    void PreviewBtnClick();

    [[nodiscard]] const TicketData& ticket() const { return m_ticket; }

private:
    // Takes the number unless the ticket has one; false (after saying why)
    // when none could be taken.
    bool numbered();
    void addLine(QFormLayout* form, const QString& caption, const QString& value,
                 const char* objectName = nullptr);

    TicketData m_ticket;
    TicketNumberFn m_nextNumber;
    shell::ValueLabel* m_number = nullptr;
    QPushButton* m_printButton;
    QPushButton* m_pdfButton;
    QPushButton* m_previewButton;
    QPushButton* m_closeButton;
};

// Opens the ticket window modally over `parent` (the modal pattern).
void openBenchTicket(QWidget* parent, const TicketData& ticket, const TicketNumberFn& nextNumber);

}  // namespace quivra::reports
