#include "TBuildSheet.h"

#include "ArrowPanel.h"
#include "BowPanel.h"
#include "ChartPanel.h"
#include "DownrangePanel.h"
#include "ErrorHandler.h"
#include "MessageBox.h"
#include "ReportCommands.h"
#include "ReportTexts.h"
#include "ResultsPanel.h"
#include "ShaftLookup.h"
#include "SheetBuild.h"
#include "SheetFields.h"
#include "SheetTexts.h"
#include "ShopRecord.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace quivra::buildsheet {

namespace {

using calculators::InputError;
using calculators::InputField;

constexpr int kMaxQuantity = 999;

QPushButton* commandButton(const char* name, const QString& text) {
    auto* b = new QPushButton(text);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TBuildSheet::TBuildSheet(const SheetStart& start, const std::filesystem::path& dataDir,
                         QWidget* parent)
    : TBuildSheet(start, dataDir, SheetCommands{}, parent) {}

TBuildSheet::TBuildSheet(const SheetStart& start, const std::filesystem::path& dataDir,
                         SheetCommands commands, QWidget* parent)
    : QDialog(parent),
      m_dataDir(dataDir),
      m_commands(std::move(commands)),
      m_catalogue(dataDir),
      m_openedPage(start.inputs.page) {
    setObjectName(QStringLiteral("BuildSheet"));
    setWindowTitle(tr("Arrow Build Sheet"));
    buildWindow();

    const SheetOpening opening = openSheet(start, m_catalogue);
    m_openedKey = opening.shaftKey;
    m_openedModels = opening.modelsCaption;
    m_openedPage = opening.input.chart.page;
    m_notes = opening.notes;
    m_quantity->setValue(opening.quantity);
    m_buildNotes->setText(q(opening.buildNotes));
    m_bow->show(opening.input.bow);
    m_chart->show(opening.input.chart);
    m_arrow->show(opening.input.arrow, opening.shaftKey);
    m_downrange->showSightRadius(opening.input.sightRadiusIn);

    connect(m_bow, &BowPanel::changed, this, &TBuildSheet::ChangeInputs);
    connect(m_chart, &ChartPanel::changed, this, &TBuildSheet::ChangeInputs);
    connect(m_arrow, &ArrowPanel::changed, this, &TBuildSheet::ChangeInputs);
    connect(m_downrange, &DownrangePanel::changed, this, &TBuildSheet::ChangeInputs);
    ChangeInputs();
}

TBuildSheet::~TBuildSheet() = default;

void TBuildSheet::buildWindow() {
    m_bow = new BowPanel;
    m_chart = new ChartPanel;
    m_arrow = new ArrowPanel;
    m_results = new ResultsPanel;
    m_downrange = new DownrangePanel;

    // The order row: what the ticket and the customer's record carry
    // beyond the arrow itself.
    m_quantity = new QSpinBox;
    m_quantity->setObjectName(QStringLiteral("QuantityEdit"));
    m_quantity->setRange(1, kMaxQuantity);
    m_quantity->setAccessibleName(tr("Quantity:"));
    m_buildNotes = new QLineEdit;
    m_buildNotes->setObjectName(QStringLiteral("NotesEdit"));
    m_buildNotes->setMaxLength(customers::kBuildNotesWidth);
    m_buildNotes->setAccessibleName(tr("Notes:"));
    auto* orderRow = new QHBoxLayout;
    for (const auto& [caption, field] :
         {std::pair{tr("&Quantity:"), static_cast<QWidget*>(m_quantity)},
          std::pair{tr("&Notes:"), static_cast<QWidget*>(m_buildNotes)}}) {
        auto* label = new QLabel(caption);
        label->setBuddy(field);
        orderRow->addWidget(label);
        orderRow->addWidget(field);
    }
    orderRow->setStretchFactor(m_buildNotes, 1);

    auto* print = commandButton("PrintBtn", tr("&Print"));
    auto* pdf = commandButton("SavePdfBtn", tr("Save as P&DF..."));
    auto* preview = commandButton("PreviewBtn", tr("Pre&view"));
    auto* save = commandButton("SaveCustBtn", tr("Save to &Customer..."));
    auto* ticket = commandButton("TicketBtn", tr("&Ticket..."));
    auto* close = commandButton("ExitBtn", tr("Close"));
    connect(print, &QPushButton::clicked, this, &TBuildSheet::PrintBtnClick);
    connect(pdf, &QPushButton::clicked, this, &TBuildSheet::SavePdfBtnClick);
    connect(preview, &QPushButton::clicked, this, &TBuildSheet::PreviewBtnClick);
    connect(save, &QPushButton::clicked, this, &TBuildSheet::SaveCustBtnClick);
    connect(ticket, &QPushButton::clicked, this, &TBuildSheet::TicketBtnClick);
    connect(close, &QPushButton::clicked, this, &TBuildSheet::ExitBtnClick);
    save->setEnabled(static_cast<bool>(m_commands.saveToCustomer));
    ticket->setEnabled(static_cast<bool>(m_commands.ticket));
    m_buttons = {print, pdf, preview, save, ticket, close};
    auto* commandRow = new QHBoxLayout;
    for (QPushButton* b : {print, pdf, preview, save, ticket}) commandRow->addWidget(b);
    commandRow->addStretch();
    commandRow->addWidget(close);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_bow, 0, 0);
    grid->addWidget(m_chart, 1, 0);
    grid->addWidget(m_arrow, 0, 1, 2, 1);
    grid->addWidget(m_results, 0, 2, 2, 1);
    grid->addWidget(m_downrange, 2, 0, 1, 3);
    grid->addLayout(orderRow, 3, 0, 1, 3);
    grid->addLayout(commandRow, 4, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);

    const std::vector<QWidget*> order = focusOrder();
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

std::vector<QWidget*> TBuildSheet::focusOrder() const {
    std::vector<QWidget*> order;
    for (const auto& part : {m_bow->focusOrder(), m_chart->focusOrder(), m_arrow->focusOrder(),
                             m_downrange->focusOrder()}) {
        order.insert(order.end(), part.begin(), part.end());
    }
    order.push_back(m_quantity);
    order.push_back(m_buildNotes);
    order.insert(order.end(), m_buttons.begin(), m_buttons.end());
    return order;
}

void TBuildSheet::readShaft(core::Page page, std::vector<InputError>& errors) {
    const std::string key = m_arrow->shaftKey();
    if (key != m_lookedUpKey || page != m_lookedUpPage) {
        m_lookedUpKey = key;
        m_lookedUpPage = page;
        m_shaft.reset();
        m_shaftError.clear();
        // The grid's models caption holds for the shaft and page it came with.
        const std::string models =
            key == m_openedKey && page == m_openedPage ? m_openedModels : std::string();
        core::Result<CatalogueShaft> found = lookUpShaft(m_catalogue, key, page, models);
        if (found) {
            m_shaft = std::move(found).value().shaft;
        } else {
            m_shaftError = found.status().message();
        }
    }
    if (m_shaft) {
        m_arrow->showShaft(QString::fromStdString(shaftText(*m_shaft)));
    } else {
        m_arrow->showShaft(QStringLiteral("-"));
        errors.push_back({InputField::Shaft, m_shaftError});
    }
}

void TBuildSheet::ChangeInputs() {
    shell::guarded(this, [this] {
        std::vector<InputError> faults;
        calculators::BuildSheetInput in;
        in.bow = m_bow->read(faults);
        in.chart = m_chart->read();
        in.arrow = m_arrow->read(faults);
        in.sightRadiusIn = m_downrange->readSightRadius(faults);
        readShaft(in.chart.page, faults);
        in.arrow.shaft = m_shaft;
        m_input = in;

        if (faults.empty()) {
            m_sheet = calculators::computeBuildSheet(m_input);
        } else {
            m_sheet = calculators::BuildSheet{};
            m_sheet.errors = faults;
        }
        ++m_computeCount;
        m_bow->showMetric(m_input.bow);
        m_arrow->showMetric(m_input.arrow);
        m_downrange->showMetric(m_input.sightRadiusIn);
        showFaults(m_sheet.errors);
        m_results->show(m_sheet, m_input, m_notes);
        m_downrange->show(m_sheet);
    });
}

void TBuildSheet::showFaults(const std::vector<InputError>& errors) {
    const std::vector<QWidget*> fields = {
        m_bow->fieldOf(InputField::Rating),       m_bow->fieldOf(InputField::DrawWeight),
        m_bow->fieldOf(InputField::DrawLength),   m_bow->fieldOf(InputField::BraceHeight),
        m_bow->fieldOf(InputField::StringWeight), m_arrow->fieldOf(InputField::Shaft),
        m_arrow->fieldOf(InputField::Length),     m_arrow->fieldOf(InputField::Point),
        m_arrow->fieldOf(InputField::Insert),     m_arrow->fieldOf(InputField::Nock),
        m_arrow->fieldOf(InputField::Fletching),  m_arrow->fieldOf(InputField::Balance),
        m_downrange->sightRadiusField()};
    for (QWidget* field : fields) {
        QString reason;
        for (const InputError& e : errors) {
            QWidget* at = m_bow->fieldOf(e.field);
            if (at == nullptr) at = m_arrow->fieldOf(e.field);
            if (at == nullptr && e.field == InputField::SightRadius) {
                at = m_downrange->sightRadiusField();
            }
            // A weighed arrow has no field here; its faults stand in the notes.
            if (at == field)
                reason += (reason.isEmpty() ? "" : " ") + QString::fromStdString(e.message);
        }
        markFault(field, reason);
    }
}

bool TBuildSheet::sheetReady(const QString& command, const QString& message) {
    if (m_sheet.ok()) return true;
    shell::MessageBox::error(
        this, message.arg(QString::fromStdString(m_sheet.errors.front().message)), command);
    return false;
}

std::optional<reports::BuildSheetReportData> TBuildSheet::reportData(const QString& command) {
    if (!sheetReady(command,
                    tr("The build sheet cannot be printed while inputs need correcting:\n%1")))
        return std::nullopt;
    storage::Result<customers::ShopRecord> shop = customers::loadShopRecord(m_dataDir);
    if (!shop) throw shell::UserError(shop.status().message());
    return reports::BuildSheetReportData{m_input, m_sheet, shop.value(), reports::printTime()};
}

void TBuildSheet::PrintBtnClick() {
    shell::guarded(this, [this] {
        if (const auto page = reportData(tr("Print"))) reports::printBuildSheet(this, *page);
    });
}

void TBuildSheet::SavePdfBtnClick() {
    shell::guarded(this, [this] {
        if (const auto page = reportData(tr("Save as PDF")))
            reports::saveBuildSheetPdf(this, *page);
    });
}

void TBuildSheet::PreviewBtnClick() {
    shell::guarded(this, [this] {
        if (const auto page = reportData(tr("Preview"))) reports::previewBuildSheet(this, *page);
    });
}

std::optional<customers::SavedBuild> TBuildSheet::currentBuild(const QString& command) {
    // A sheet without faults has its catalogue shaft (readShaft), which the
    // build names for the bench.
    if (!sheetReady(command, tr("The build cannot be saved or ticketed while inputs need "
                                "correcting:\n%1")))
        return std::nullopt;
    SheetExtras extras;
    extras.shaftKey = m_arrow->shaftKey();
    extras.quantity = m_quantity->value();
    extras.notes = m_buildNotes->text().toStdString();
    return savedBuildOf(m_input, m_sheet, extras);
}

void TBuildSheet::SaveCustBtnClick() {
    shell::guarded(this, [this] {
        if (!m_commands.saveToCustomer) return;
        if (const auto build = currentBuild(tr("Save to Customer")))
            m_commands.saveToCustomer(this, *build);
    });
}

void TBuildSheet::TicketBtnClick() {
    shell::guarded(this, [this] {
        if (!m_commands.ticket) return;
        if (const auto build = currentBuild(tr("Ticket"))) m_commands.ticket(this, *build);
    });
}

void TBuildSheet::ExitBtnClick() {
    close();
}

}  // namespace quivra::buildsheet
