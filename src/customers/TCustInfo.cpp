#include "TCustInfo.h"

#include "AddressPanel.h"
#include "BgrColour.h"
#include "CustomerAddress.h"
#include "CustomerBase.h"
#include "ErrorHandler.h"
#include "MessageBox.h"
#include "RepairOffer.h"
#include "SetupHeaderPanel.h"
#include "SetupSaving.h"
#include "SetupStore.h"
#include "ValueLabel.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <utility>

namespace quivra::customers {

namespace {

constexpr const char* kSavedMessage = "New record has been successfully added";

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

TCustInfo::TCustInfo(const selection::SelectionInputs& inputs,
                     std::optional<core::Page> searchedPage, std::filesystem::path dataDir,
                     QWidget* parent)
    : TCustInfo(inputs, searchedPage, std::move(dataDir), std::nullopt, parent) {}

TCustInfo::TCustInfo(const selection::SelectionInputs& inputs,
                     std::optional<core::Page> searchedPage, std::filesystem::path dataDir,
                     std::optional<SavedBuild> build, QWidget* parent)
    : QDialog(parent),
      m_dataDir(std::move(dataDir)),
      m_build(std::move(build)),
      m_codes(encodeSetup(inputs, searchedPage)),
      m_date(today()),
      m_address(new AddressPanel(this)),
      m_header(new SetupHeaderPanel(this)),
      m_dateText(new shell::ValueLabel(tr("Date"), this)),
      m_saveButton(new QPushButton(tr("Save Record"), this)),
      m_closeButton(new QPushButton(tr("Close"), this)) {
    setObjectName(QStringLiteral("CustInfo"));
    setWindowTitle(tr("2012 Customer Information"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);

    // Fail before the window shows when there is nowhere to save to: no
    // table, or a damaged one the user did not let us repair.
    {
        const DamagedTable damaged = savedTableHealth(m_dataDir, *m_io);
        if (!damaged.damage.isOk() && !offerRepair(parent, damaged, *m_io)) {
            throw shell::UserError(refusedMessage(damaged));
        }
        auto store = chain::CustomerBase::of(m_dataDir).store(*m_io);
        if (!store) throw shell::UserError(store.status().message());
        if (storage::Status s = (*store)->open(); !s) throw shell::UserError(s.message());
        showNotice((*store)->takeNotice());
        m_address->setWidths(
            [&store](std::string_view field) { return (*store)->textWidth(field); });
        (*store)->close();
    }

    m_header->setTexts(saveHeader(inputs, searchedPage));
    m_dateText->setObjectName(QStringLiteral("DBText1"));
    m_dateText->setText(qs(shortDateText(m_date)));

    m_saveButton->setObjectName(QStringLiteral("EncartaButton2"));
    m_saveButton->setAccessibleName(tr("Save Record"));
    m_closeButton->setObjectName(QStringLiteral("EncartaButton1"));
    m_closeButton->setAccessibleName(tr("Close"));
    m_closeButton->setToolTip(tr("Click to Exit"));
    m_saveButton->setAutoDefault(false);
    m_closeButton->setAutoDefault(false);
    setButtonFace(m_saveButton, kSaveButtonColour);
    setButtonFace(m_closeButton, kSaveButtonColour);
    connect(m_saveButton, &QPushButton::clicked, this, [this] { PostBtnClick(); });
    connect(m_closeButton, &QPushButton::clicked, this, [this] { ExitBtnClick(); });

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_header);
    layout->addWidget(m_address);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(tr("Date:"), this));
    bottom->addWidget(m_dateText);
    bottom->addStretch(1);
    bottom->addWidget(m_saveButton);
    bottom->addWidget(m_closeButton);
    layout->addLayout(bottom);

    // The buttons come after the comments in the tab order.
    setTabOrder(m_address->findChild<QWidget*>(QStringLiteral("DBMemo1")), m_saveButton);
    setTabOrder(m_saveButton, m_closeButton);
    m_address->firstEdit()->setFocus();
}

void TCustInfo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    m_address->firstEdit()->setFocus();
}

void TCustInfo::PostBtnClick() {
    const CustomerAddress address = m_address->address();
    if (!address.isComplete()) {
        shell::MessageBox::information(this, QString::fromLatin1(kIncompleteAddressMessage));
        return;
    }
    // The record and its index entry (and then its build) are kept when the
    // save returns ok; only then is the user told so.  On failure the window
    // stays open with everything typed, so nothing the user entered is lost.
    auto store = chain::CustomerBase::of(m_dataDir).store(*m_io);
    if (!store) {
        shell::MessageBox::error(this, qs(store.status().message()));
        return;
    }
    const SaveOutcome outcome = saveSetupWithBuild(**store, address, m_codes, m_date, m_build);
    showNotice(outcome.notice);
    if (!outcome.status) {
        shell::MessageBox::error(this, qs(outcome.status.message()));
        // A record that reached the file must not be saved a second time.
        if (outcome.setupStored) reject();
        return;
    }
    shell::MessageBox::information(this, QString::fromLatin1(kSavedMessage));
    accept();
}

void TCustInfo::showNotice(const std::string& notice) {
    if (!notice.empty()) {
        shell::MessageBox::information(isVisible() ? this : parentWidget(), qs(notice));
    }
}

void TCustInfo::ExitBtnClick() {
    reject();
}

void TCustInfo::setFileIo(storage::FileIo& io) {
    m_io = &io;
}

}  // namespace quivra::customers
