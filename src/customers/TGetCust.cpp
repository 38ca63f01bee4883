#include "TGetCust.h"

#include "AddressPanel.h"
#include "BgrColour.h"
#include "CustomerBase.h"
#include "ErrorHandler.h"
#include "HistoryPanel.h"
#include "MessageBox.h"
#include "RepairOffer.h"
#include "SetupHeaderPanel.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <utility>

namespace quivra::customers {

namespace {

QPushButton* makeButton(QWidget* parent, const char* objectName, const QString& caption,
                        const QString& accessibleName, const QString& hint = {}) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAccessibleName(accessibleName);
    b->setAutoDefault(false);
    if (!hint.isEmpty()) b->setToolTip(hint);
    return b;
}

}  // namespace

TGetCust::TGetCust(const std::filesystem::path& dataDir, PrintCustomerFn print,
                   std::optional<RestoredSetup>* result, QWidget* parent)
    : TGetCust(dataDir, RetrievalCommands{std::move(print), {}}, result, nullptr, parent) {}

TGetCust::TGetCust(const std::filesystem::path& dataDir, RetrievalCommands commands,
                   std::optional<Retrieved>* result, QWidget* parent)
    : TGetCust(dataDir, std::move(commands), nullptr, result, parent) {}

TGetCust::TGetCust(const std::filesystem::path& dataDir, RetrievalCommands commands,
                   std::optional<RestoredSetup>* setupResult, std::optional<Retrieved>* result,
                   QWidget* parent)
    : QDialog(parent),
      m_print(std::move(commands.print)),
      m_ticket(std::move(commands.ticket)),
      m_setupResult(setupResult),
      m_result(result),
      m_address(new AddressPanel(this)),
      m_header(new SetupHeaderPanel(this)),
      m_history(new HistoryPanel(this)),
      m_navigator(new RecordNavigator(this)),
      m_searchButton(makeButton(this, "Button1", tr("Search"), tr("Search"))),
      m_returnButton(makeButton(this, "EncartaButton2", tr("Return Data"), tr("Return Data"))),
      m_printButton(
          makeButton(this, "EncartaButton3", tr("Print"), tr("Print"), tr("Click to Print"))),
      m_pdfButton(makeButton(this, "PdfBtn", tr("Save as PDF"), tr("Save as PDF"),
                             tr("Click to Save the Record as a PDF File"))),
      m_previewButton(makeButton(this, "PreviewBtn", tr("Preview"), tr("Preview"),
                                 tr("Click to See the Printed Record"))),
      m_reorderButton(makeButton(this, "ReorderBtn", tr("Re-order"), tr("Re-order"),
                                 tr("Click to Build This Arrow Again"))),
      m_ticketButton(makeButton(this, "TicketBtn", tr("Ticket..."), tr("Ticket"),
                                tr("Click for the Bench Work Ticket of This Arrow"))),
      m_closeButton(
          makeButton(this, "EncartaButton1", tr("Close"), tr("Close"), tr("Click to Exit"))),
      m_exitButton(makeButton(this, "ExitBtn", tr("&Close"), tr("Close"))) {
    setObjectName(QStringLiteral("GetCust"));
    setWindowTitle(tr("2012 Retrieve Customer Information"));

    // A damaged table is said so once, here, with the offer to repair it;
    // unrepaired it is browsed, and every edit is refused with the damage.
    (void)offerRepair(parent, savedTableHealth(dataDir));
    auto store = chain::CustomerBase::of(dataDir).store();
    if (!store) throw shell::UserError(store.status().message());
    m_store = std::move(store).value();
    if (storage::Status s = m_store->open(); !s) throw shell::UserError(s.message());
    m_address->setWidths([this](std::string_view field) { return m_store->textWidth(field); });

    m_exitButton->setFlat(true);
    for (QPushButton* b : {m_closeButton, m_returnButton, m_printButton, m_pdfButton,
                           m_previewButton, m_reorderButton, m_ticketButton}) {
        setButtonFace(b, kRetrieveButtonColour);
    }
    connect(m_navigator, &RecordNavigator::clicked, this,
            [this](RecordNavigator::Button b) { DBNavigator1Click(b); });
    connect(m_searchButton, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(m_returnButton, &QPushButton::clicked, this, [this] { ReturnDataBtnClick(); });
    connect(m_printButton, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(m_pdfButton, &QPushButton::clicked, this, [this] { SavePdfBtnClick(); });
    connect(m_previewButton, &QPushButton::clicked, this, [this] { PreviewBtnClick(); });
    connect(m_reorderButton, &QPushButton::clicked, this, [this] { ReorderBtnClick(); });
    connect(m_ticketButton, &QPushButton::clicked, this, [this] { TicketBtnClick(); });
    connect(m_history, &HistoryPanel::chosen, this,
            [this](const QString& id) { HistoryChosen(id.toStdString()); });
    connect(m_closeButton, &QPushButton::clicked, this, [this] { ExitBtnClick(); });
    connect(m_exitButton, &QPushButton::clicked, this, [this] { ExitBtnClick(); });

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(m_exitButton);
    top->addStretch(1);
    layout->addLayout(top);
    layout->addWidget(m_header);
    layout->addWidget(m_address);
    layout->addWidget(m_history);
    auto* tools = new QHBoxLayout;
    tools->addWidget(m_navigator);
    tools->addStretch(1);
    tools->addWidget(m_searchButton);
    layout->addLayout(tools);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_returnButton);
    buttons->addWidget(m_reorderButton);
    buttons->addWidget(m_printButton);
    buttons->addWidget(m_pdfButton);
    buttons->addWidget(m_previewButton);
    buttons->addWidget(m_ticketButton);
    buttons->addWidget(m_closeButton);
    layout->addLayout(buttons);

    setEditing(false);
    showCurrent(true);
    showNotice();
}

void TGetCust::showNotice() {
    const std::string notice = m_store->takeNotice();
    if (!notice.empty()) {
        shell::MessageBox::information(this, QString::fromStdString(notice));
    }
}

void TGetCust::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        QWidget::move(frame.topLeft());
    }
}

void TGetCust::done(int result) {
    // However the window closes (Close, Return Data, the title bar, Escape),
    // an address edit that was not posted is settled first.
    if (!settlePendingEdit()) return;
    m_store->close();
    QDialog::done(result);
}

bool TGetCust::settlePendingEdit() {
    if (!m_store->isEditing()) return true;
    auto stored = m_store->current();
    if (stored.isOk() && stored->address == m_address->address()) {
        m_store->cancelEdit();  // Edit pressed, nothing changed
        return true;
    }
    switch (shell::MessageBox::askToSave(this, tr("Save the changes to this customer?"))) {
        case shell::MessageBox::Answer::Save:
            if (storage::Status s = m_store->postAddress(m_address->address()); !s) {
                showStatus(s);  // still editing: the user may correct it or discard
                return false;
            }
            break;
        case shell::MessageBox::Answer::Discard:
            m_store->cancelEdit();
            break;
        default:
            return false;
    }
    setEditing(false);
    return true;
}

void TGetCust::showStatus(const storage::Status& status) {
    shell::MessageBox::error(this, QString::fromStdString(status.message()));
}

void TGetCust::showCurrent(bool header, bool historyAgain) {
    auto record = m_store->current();
    if (!record.isOk()) {
        showStatus(record.status());
        return;
    }
    m_address->setAddress(record->address);
    if (header) m_header->setTexts(recordHeader(record->codes));
    showHistory(record->address, historyAgain);
}

void TGetCust::showHistory(const CustomerAddress& address, bool again) {
    const SetupId id = m_store->currentId();
    const storage::Status s = again ? m_history->refresh(*m_store, address, id)
                                    : m_history->showFor(*m_store, address, id);
    // The history is an addition to the record on screen: a history that
    // cannot be read is said once and leaves the rest of the window working.
    if (!s && s.message() != m_historyFailure) {
        m_historyFailure = s.message();
        showStatus(s);
    }
    updateBuildButtons(m_store->isEditing());
}

void TGetCust::updateBuildButtons(bool editing) {
    const HistoryEntry* shown = editing ? nullptr : shownEntry();
    const bool withBuild = shown != nullptr && shown->build.has_value();
    m_reorderButton->setEnabled(withBuild);
    m_ticketButton->setEnabled(withBuild && m_ticket != nullptr);
}

const HistoryEntry* TGetCust::shownEntry() const {
    return m_history->entry(m_store->currentId());
}

void TGetCust::HistoryChosen(const SetupId& id) {
    if (m_store->isEditing()) return;
    if (storage::Status s = m_store->goToId(id); !s) showStatus(s);
    showNotice();
    showCurrent(true);
}

void TGetCust::setEditing(bool editing) {
    m_address->setReadOnly(!editing);
    m_navigator->setEditing(editing);
    // Moving away or searching while an edit is pending would have to either
    // post or drop it behind the user's back; both wait for Post or Cancel.
    m_searchButton->setEnabled(!editing);
    m_history->setEnabled(!editing);
    updateBuildButtons(editing);
}

void TGetCust::move(storage::Status (SetupStore::*step)()) {
    const SetupId from = m_store->currentId();
    storage::Status s = ((*m_store).*step)();
    if (s && m_store->atEnd() && !from.empty()) s = m_store->goToId(from);
    if (!s) showStatus(s);
    showNotice();
    showCurrent(true);
}

void TGetCust::DBNavigator1Click(RecordNavigator::Button button) {
    using B = RecordNavigator::Button;
    switch (button) {
        case B::First:
            move(&SetupStore::first);
            break;
        case B::Prior:
            move(&SetupStore::previous);
            break;
        case B::Next:
            move(&SetupStore::next);
            break;
        case B::Last:
            move(&SetupStore::last);
            break;
        case B::Edit:
            if (m_store->atEnd()) return;
            if (storage::Status s = m_store->beginEdit(); !s) {
                showStatus(s);
                return;
            }
            setEditing(true);
            break;
        case B::Post:
            if (storage::Status s = m_store->postAddress(m_address->address()); !s) {
                showStatus(s);  // still editing: the user may correct and post again
                return;
            }
            setEditing(false);
            showCurrent(false, true);  // the corrected address may join or leave a history
            break;
        case B::Cancel:
            m_store->cancelEdit();
            setEditing(false);
            showCurrent(false);
            break;
    }
}

void TGetCust::Button1Click() {
    if (m_store->isEditing()) return;
    const QString letters = shell::MessageBox::inputBox(
        this, tr("Find Customer"), tr("Enter First Letters of Name, Xxx"), QString());
    auto found = m_store->seekName(letters.toStdString());
    showNotice();
    if (found.isOk() && found.value()) {
        showCurrent(true);
        return;
    }
    if (!found.isOk()) {
        showStatus(found.status());
    } else {
        shell::MessageBox::information(this, tr("Name not found"));
    }
    if (storage::Status s = m_store->first(); !s) showStatus(s);
    showCurrent(true);
}

void TGetCust::ReturnDataBtnClick() {
    if (!settlePendingEdit()) return;
    auto record = m_store->current();
    if (!record.isOk()) {
        showStatus(record.status());
        return;
    }
    auto setup = restoreSetup(record->codes);
    if (!setup.isOk()) {
        showStatus(setup.status());
        return;
    }
    if (m_setupResult) *m_setupResult = setup.value();
    if (m_result) *m_result = Retrieved{std::move(setup).value(), std::nullopt};
    accept();
}

void TGetCust::ReorderBtnClick() {
    const HistoryEntry* shown = shownEntry();
    if (shown == nullptr || !shown->build) return;
    auto setup = restoreSetup(shown->setup.codes);
    if (!setup.isOk()) {
        showStatus(setup.status());
        return;
    }
    if (m_setupResult) *m_setupResult = setup.value();
    if (m_result) *m_result = Retrieved{std::move(setup).value(), customerBuild(*shown)};
    accept();
}

void TGetCust::TicketBtnClick() {
    const HistoryEntry* shown = shownEntry();
    if (shown == nullptr || !shown->build || !m_ticket) return;
    CustomerBuild build = customerBuild(*shown);
    build.customer = m_address->address();  // as shown, with any correction posted
    m_ticket(this, build);
}

void TGetCust::PreviewBtnClick() {
    if (m_print) m_print(this, shownRecord(), CustomerOutput::Preview);
}

void TGetCust::SpeedButton1Click() {
    if (m_print) m_print(this, shownRecord(), CustomerOutput::Printer);
}

void TGetCust::SavePdfBtnClick() {
    if (m_print) m_print(this, shownRecord(), CustomerOutput::PdfFile);
}

void TGetCust::ExitBtnClick() {
    reject();
}

CustomerRecordView TGetCust::shownRecord() const {
    const CustomerAddress a = m_address->address();
    const HeaderTexts h = m_header->texts();
    CustomerRecordView v;
    v.name = a.name;
    v.addr1 = a.addr1;
    v.addr2 = a.addr2;
    v.city = a.city;
    v.state = a.state;
    v.zip = a.zip;
    v.country = a.country;
    v.ccode = a.ccode;
    v.comments = a.comments;
    v.bowWeight = h.bowWeight;
    v.arrowLength = h.arrowLength;
    v.pointWeight = h.pointWeight;
    v.category = h.category;
    v.bowType = h.bowType;
    v.wheelType = h.wheelType;
    v.release = h.release;
    v.braceHeight = h.braceHeight;
    v.overDraw = h.overDraw;
    return v;
}

}  // namespace quivra::customers
