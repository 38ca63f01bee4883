#include "TSpecsFrm.h"

#include "ArrowWeight.h"
#include "BuildSheetWindow.h"
#include "CalculatorWindows.h"
#include "ErrorHandler.h"
#include "InfoWindows.h"
#include "NumberText.h"
#include "ValueLabel.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quivra::details {

namespace {

enum Spin { Length = 0, Nock = 1, Point = 2, Fletching = 3, Insert = 4 };

void check(const storage::Status& status) {
    if (!status) throw shell::UserError(status.message());
}

shell::ValueLabel* valueLabel(const char* name, const QString& caption) {
    auto* label = new shell::ValueLabel(caption);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

shell::ValueLabel* weightLabel(const char* name, const QString& caption) {
    shell::ValueLabel* label = valueLabel(name, caption);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setMinimumWidth(80);
    return label;
}

QDoubleSpinBox* spinField(const char* name, const QString& label, double minimum, double maximum,
                          double step, int decimals) {
    auto* field = new QDoubleSpinBox;
    field->setObjectName(QLatin1String(name));
    field->setAccessibleName(label);
    field->setLocale(QLocale::c());
    field->setDecimals(decimals);
    field->setRange(minimum, maximum);
    field->setSingleStep(step);
    field->setKeyboardTracking(true);
    return field;
}

QPushButton* button(const char* name, const QString& text, const QString& hint = {}) {
    auto* b = new QPushButton(text);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(text);
    b->setAutoDefault(false);
    if (!hint.isEmpty()) b->setToolTip(hint);
    return b;
}

}  // namespace

TSpecsFrm::TSpecsFrm(DetailRequest request, QWidget* parent)
    : QDialog(parent), m_request(std::move(request)), m_catalogue(m_request.dataDir) {
    setObjectName(QStringLiteral("SpecsFrm"));
    setWindowTitle(tr("2012 Arrow Weight Calculator/Specifications"));
    buildWindow();
    FormCreate();
    // Every change recomputes.  A keystroke that leaves a field empty or
    // unfinished counts as the field's minimum; the spin box itself reports
    // only complete numbers, so its editor is watched for the others.
    for (QDoubleSpinBox* spin : m_spins) {
        connect(spin, &QDoubleSpinBox::valueChanged, this, [this] {
            if (!m_filling) ChangeOptions();
        });
        if (auto* editor = spin->findChild<QLineEdit*>()) {
            connect(editor, &QLineEdit::textChanged, this, [this, spin] {
                if (!m_filling && !core::parseDecimal(spin->cleanText().toStdString())) {
                    ChangeOptions();
                }
            });
        }
    }
}

TSpecsFrm::~TSpecsFrm() = default;

QDoubleSpinBox* TSpecsFrm::spinEdit(int number) const {
    return m_spins.at(static_cast<std::size_t>(number));
}

void TSpecsFrm::buildWindow() {
    m_size = valueLabel("Label4", tr("Shaft Size"));
    m_models = valueLabel("Mods", tr("Models"));
    QFont heading = m_size->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.2);
    m_size->setFont(heading);
    m_models->setFont(heading);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(m_size);
    sizeRow->addWidget(m_models);
    sizeRow->addStretch();

    m_arrowType = valueLabel("ArrowTypeLbl", tr("Shaft Type:"));
    m_maxLength = valueLabel("LengthLbl", tr("Maximum Length:"));
    m_outside = valueLabel("ODLbl", tr("Outside Diameter:"));
    m_inside = valueLabel("IDLbl", tr("Inside Diameter:"));
    m_wall = valueLabel("WallLbl", tr("Wall Thickness:"));
    m_gpi = valueLabel("GPILbl", tr("Grains per Inch:"));
    m_spine = valueLabel("SpineLbl", tr("Spine at 29\":"));
    auto* specs = new QGroupBox(tr("Specifications"));
    auto* specsForm = new QFormLayout(specs);
    specsForm->addRow(tr("Shaft Size & Models:"), sizeRow);
    specsForm->addRow(m_arrowType->accessibleName(), m_arrowType);
    specsForm->addRow(m_maxLength->accessibleName(), m_maxLength);
    specsForm->addRow(m_outside->accessibleName(), m_outside);
    specsForm->addRow(m_inside->accessibleName(), m_inside);
    specsForm->addRow(m_wall->accessibleName(), m_wall);
    specsForm->addRow(m_gpi->accessibleName(), m_gpi);
    specsForm->addRow(m_spine->accessibleName(), m_spine);
    auto* note = new QLabel(
        tr("Specifications shown for aluminum shafts are those of the M4 alloy family."));
    note->setObjectName(QStringLiteral("M4NoteLbl"));
    note->setAccessibleName(note->text());
    note->setWordWrap(true);
    specsForm->addRow(note);

    m_spins[Length] = spinField("FSpinEdit1", tr("Arrow Length:"), 15, 38, 0.25, 2);
    m_spins[Point] = spinField("FSpinEdit3", tr("Point Weight:"), 0, 300, 1, 1);
    m_spins[Nock] = spinField("FSpinEdit2", tr("Nock System Weight:"), 0, 150, 1, 1);
    m_spins[Insert] = spinField("FSpinEdit5", tr("Insert Weight:"), 0, 150, 1, 1);
    m_spins[Fletching] = spinField("FSpinEdit4", tr("Fletching Weight:"), 0, 100, 1, 1);
    m_shaftWeight = weightLabel("Label21", tr("Shaft Weight:"));
    m_totalWeight = weightLabel("Label9", tr("Approx. Total Arrow Weight:"));
    auto* build = new QGroupBox(tr("Arrow Weight"));
    auto* buildForm = new QFormLayout(build);
    const auto addSpin = [buildForm](QDoubleSpinBox* spin) {
        buildForm->addRow(spin->accessibleName(), spin);
    };
    addSpin(m_spins[Length]);
    buildForm->addRow(m_shaftWeight->accessibleName(), m_shaftWeight);
    addSpin(m_spins[Point]);
    addSpin(m_spins[Nock]);
    addSpin(m_spins[Insert]);
    addSpin(m_spins[Fletching]);
    buildForm->addRow(m_totalWeight->accessibleName(), m_totalWeight);
    // Tab goes down the fields as they stand on screen.
    setTabOrder(m_spins[Length], m_spins[Point]);
    setTabOrder(m_spins[Point], m_spins[Nock]);
    setTabOrder(m_spins[Nock], m_spins[Insert]);
    setTabOrder(m_spins[Insert], m_spins[Fletching]);

    auto* models = button("wssSpeedButton2", tr("2012 Shaft Models"));
    auto* calculator = button("wssSpeedButton1", tr("Kinetic Energy && FOC Calculator"));
    calculator->setAccessibleName(tr("Kinetic Energy & FOC Calculator"));
    auto* guide = button("TuningGuideBtn", tr("Open Tuning Guide"), tr("Open tuning_guide.pdf"));
    auto* sheet = button("BuildSheetBtn", tr("Build Sheet..."),
                         tr("What this arrow will do from the customer's bow"));
    auto* exit = button("ExitBtn", tr("Close"), tr("Click to Exit"));
    connect(models, &QPushButton::clicked, this, &TSpecsFrm::wssSpeedButton2Click);
    connect(calculator, &QPushButton::clicked, this, &TSpecsFrm::wssSpeedButton1Click);
    connect(guide, &QPushButton::clicked, this, &TSpecsFrm::openTuningGuide);
    connect(sheet, &QPushButton::clicked, this, &TSpecsFrm::BuildSheetBtnClick);
    connect(exit, &QPushButton::clicked, this, &TSpecsFrm::ExitBtnClick);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(models);
    buttons->addWidget(calculator);
    buttons->addWidget(guide);
    buttons->addWidget(sheet);
    buttons->addStretch();
    buttons->addWidget(exit);

    auto* columns = new QHBoxLayout;
    columns->addWidget(specs, 1);
    columns->addWidget(build);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TSpecsFrm::FormCreate() {
    m_size->setText(m_request.sizeCaption);
    // Any failure ends the creation steps; the window still opens with what
    // was filled in before it.
    shell::guarded(this, [this] { loadRecord(); });
}

const catalogue::ShaftRecord& TSpecsFrm::record() {
    if (!m_record) {
        // A key that matches nothing gives a blank record: every text blank
        // and every number 0.
        storage::Result<catalogue::ShaftRecord> found =
            m_catalogue.fullRecord(seekKey(m_request.specKey.toStdString()));
        check(found.status());
        m_record = std::move(found).value();
    }
    return *m_record;
}

void TSpecsFrm::loadRecord() {
    const catalogue::ShaftRecord& shaft = record();
    const core::Page page = m_request.page;
    const auto length =
        initialArrowLength(page, m_request.inputs.arrowLength, m_request.inputs.youthArrowLength);
    if (!length.value) throw shell::UserError(length.error);
    setInitial(m_spins[Length], *length.value);

    const double defaultPoint = usesEnteredPointWeight(page) ? 0.0 : shaft.defaultPoint;
    const auto point = initialPointWeight(page, m_request.inputs.pointWeight, defaultPoint);
    if (!point.value) throw shell::UserError(point.error);
    setInitial(m_spins[Point], *point.value);

    setInitial(m_spins[Nock], shaft.defaultNock);
    setInitial(m_spins[Fletching], shaft.defaultFletching);
    setInitial(m_spins[Insert], shaft.defaultInsert);

    const auto show = [](shell::ValueLabel* label, std::string_view text) {
        label->setText(QString::fromStdString(std::string(core::trimBlanks(text))));
    };
    show(m_arrowType, shaft.arrowType);
    show(m_maxLength, shaft.maxLength);
    show(m_outside, shaft.outside);
    show(m_inside, shaft.inside);
    show(m_wall, shaft.wall);
    show(m_gpi, shaft.gpi);
    show(m_spine, shaft.spine);
    ChangeOptions();
}

void TSpecsFrm::setInitial(QDoubleSpinBox* field, double value) {
    // No recomputation per field while the window is being filled.
    m_filling = true;
    field->setValue(value);
    m_filling = false;
}

double TSpecsFrm::valueOf(const QDoubleSpinBox* field) const {
    const auto value = core::parseDecimal(field->cleanText().toStdString());
    if (!value) return field->minimum();
    return std::clamp(*value, field->minimum(), field->maximum());
}

void TSpecsFrm::ChangeOptions() {
    shell::guarded(this, [this] {
        m_models->setText(m_request.modelsCaption);
        const auto gpi = grainsPerInch(m_request.modelsCaption.toStdString(), record().gpi);
        if (!gpi.value) throw shell::UserError(gpi.error);
        const ArrowBuild build{.length = valueOf(m_spins[Length]),
                               .nock = valueOf(m_spins[Nock]),
                               .point = valueOf(m_spins[Point]),
                               .fletching = valueOf(m_spins[Fletching]),
                               .insert = valueOf(m_spins[Insert])};
        const auto weights = arrowWeights(build, *gpi.value);
        m_shaftWeight->setText(QString::fromStdString(weights.shaft));
        m_totalWeight->setText(QString::fromStdString(weights.total));
    });
}

void TSpecsFrm::ExitBtnClick() {
    close();
}

void TSpecsFrm::wssSpeedButton1Click() {
    calculators::openKECalculator(this, m_request.dataDir);
}

void TSpecsFrm::wssSpeedButton2Click() {
    info::openModelGuide(this, m_request.page, m_request.dataDir);
}

void TSpecsFrm::BuildSheetBtnClick() {
    buildsheet::SheetStart start;
    start.inputs = m_request.inputs;
    start.inputs.page = m_request.page;
    start.slot = selection::DetailRequest{.page = m_request.page,
                                          .key = seekKey(m_request.specKey.toStdString()),
                                          .sizeCaption = m_request.sizeCaption.toStdString(),
                                          .modelsCaption = m_request.modelsCaption.toStdString()};
    start.parts = ArrowBuild{.length = valueOf(m_spins[Length]),
                             .nock = valueOf(m_spins[Nock]),
                             .point = valueOf(m_spins[Point]),
                             .fletching = valueOf(m_spins[Fletching]),
                             .insert = valueOf(m_spins[Insert])};
    buildsheet::openBuildSheet(this, start, m_request.dataDir, m_request.sheetCommands);
}

void TSpecsFrm::openTuningGuide() {
    info::openTuningGuidePdf(this, m_request.dataDir);
}

}  // namespace quivra::details
