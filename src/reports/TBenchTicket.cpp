#include "TBenchTicket.h"

#include "MessageBox.h"
#include "ModalPattern.h"
#include "ReportCommands.h"
#include "ReportTexts.h"
#include "TicketTexts.h"
#include "ValueLabel.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace quivra::reports {

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

QPushButton* makeButton(QWidget* parent, const char* objectName, const QString& caption,
                        const QString& hint) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TBenchTicket::TBenchTicket(TicketData ticket, TicketNumberFn nextNumber, QWidget* parent)
    : QDialog(parent),
      m_ticket(std::move(ticket)),
      m_nextNumber(std::move(nextNumber)),
      m_printButton(makeButton(this, "PrintBtn", tr("&Print"), tr("Click to Print the Ticket"))),
      m_pdfButton(makeButton(this, "PdfBtn", tr("Save as P&DF"),
                             tr("Click to Save the Ticket as a PDF File"))),
      m_previewButton(
          makeButton(this, "PreviewBtn", tr("Pre&view"), tr("Click to See the Printed Ticket"))),
      m_closeButton(makeButton(this, "CloseBtn", tr("&Close"), tr("Click to Exit"))) {
    setObjectName(QStringLiteral("BenchTicket"));
    setWindowTitle(tr("Bench Work Ticket"));
    const customers::SavedBuild& b = m_ticket.build;

    auto* head = new QFormLayout;
    addLine(head, tr("Ticket No.:"), q(customers::ticketNumberText(m_ticket.number)), "TicketNo");
    addLine(head, tr("Customer:"), q(m_ticket.customer.name).trimmed(), "CustomerName");
    addLine(head, tr("Set-up saved:"), q(m_ticket.setupDate));

    auto* arrow = new QGroupBox(tr("Shaft"), this);
    auto* arrowForm = new QFormLayout(arrow);
    for (const customers::TicketLine& line : customers::ticketShaftLines(b)) {
        addLine(arrowForm, q(line.caption), q(line.value));
    }
    auto* parts = new QGroupBox(tr("Components, one arrow"), this);
    auto* partsForm = new QFormLayout(parts);
    for (const customers::TicketLine& line : customers::ticketComponentLines(b)) {
        addLine(partsForm, q(line.caption), q(line.value));
    }
    auto* results = new QFormLayout;
    for (const customers::TicketLine& line : customers::ticketResultLines(b)) {
        addLine(results, q(line.caption), q(line.value));
    }
    addLine(results, tr("Notes:"), q(b.notes), "Notes");

    connect(m_printButton, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
    connect(m_pdfButton, &QPushButton::clicked, this, [this] { SavePdfBtnClick(); });
    connect(m_previewButton, &QPushButton::clicked, this, [this] { PreviewBtnClick(); });
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    auto* middle = new QHBoxLayout;
    middle->addWidget(arrow);
    middle->addWidget(parts);
    layout->addLayout(middle);
    layout->addLayout(results);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {m_printButton, m_pdfButton, m_previewButton, m_closeButton}) {
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    m_printButton->setFocus();
}

void TBenchTicket::addLine(QFormLayout* form, const QString& caption, const QString& value,
                           const char* objectName) {
    auto* label = new QLabel(caption, this);
    auto* shown = new shell::ValueLabel(QString(caption).remove(QLatin1Char(':')), this);
    shown->setText(value);
    // Keyboard users reach every value; a screen reader says it with its caption.
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    shown->setFocusPolicy(Qt::StrongFocus);
    shown->setWordWrap(true);
    label->setBuddy(shown);
    if (objectName != nullptr) shown->setObjectName(QString::fromLatin1(objectName));
    if (objectName != nullptr && qstrcmp(objectName, "TicketNo") == 0) m_number = shown;
    form->addRow(label, shown);
}

bool TBenchTicket::numbered() {
    if (m_ticket.number != 0) return true;
    storage::Result<std::uint32_t> next =
        m_nextNumber ? m_nextNumber()
                     : storage::Result<std::uint32_t>(
                           storage::Status::invalidArgument("No ticket counter is set up."));
    if (!next) {
        shell::MessageBox::error(this,
                                 tr("No ticket number could be taken, so nothing was printed: ") +
                                     q(next.status().message()),
                                 windowTitle());
        return false;
    }
    m_ticket.number = *next;
    const QString text = q(customers::ticketNumberText(m_ticket.number));
    m_number->setText(text);
    return true;
}

void TBenchTicket::PrintBtnClick() {
    if (!numbered()) return;
    m_ticket.printedAt = printTime();
    printBenchTicket(this, m_ticket);
}

void TBenchTicket::SavePdfBtnClick() {
    if (!numbered()) return;
    m_ticket.printedAt = printTime();
    saveBenchTicketPdf(this, m_ticket);
}

void TBenchTicket::PreviewBtnClick() {
    if (!numbered()) return;
    m_ticket.printedAt = printTime();
    previewBenchTicket(this, m_ticket);
}

void openBenchTicket(QWidget* parent, const TicketData& ticket, const TicketNumberFn& nextNumber) {
    shell::runModal<TBenchTicket>(parent, ticket, nextNumber);
}

}  // namespace quivra::reports
