#include "TKECalc2.h"

#include "ErrorHandler.h"
#include "FrontOfCenter.h"
#include "HuntingUsageScale.h"
#include "KineticEnergy.h"
#include "MessageBox.h"
#include "NumberText.h"
#include "PictureCycler.h"
#include "Pictures.h"
#include "ValueLabel.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quivra::calculators {

namespace {

// The picture files of each list are numbered frames in the data folder.
QString framePrefix(GameClass gameClass) {
    switch (gameClass) {
        case GameClass::Small:
            return QStringLiteral("ke_small_");
        case GameClass::Medium:
            return QStringLiteral("ke_medium_");
        case GameClass::Big:
            return QStringLiteral("ke_big_");
        case GameClass::Tough:
            return QStringLiteral("ke_tough_");
        case GameClass::Tanks:
            return QStringLiteral("ke_tanks_");
    }
    return QStringLiteral("ke_medium_");
}

QSpinBox* wholeNumberField(const char* name, const QString& label, int initial) {
    auto* field = new QSpinBox;
    field->setObjectName(QLatin1String(name));
    field->setAccessibleName(label);
    field->setLocale(QLocale::c());
    field->setRange(0, 9999);  // four characters at most
    field->setSingleStep(10);
    field->setValue(initial);
    return field;
}

// A decimal field without limits: length and balance point may be any
// number, negative ones included (a balance point measured from the other
// end, a length typed by mistake that the calculation then reports).  The
// value shows in its shortest form ("30", "15.25").
class FreeDecimalField : public QDoubleSpinBox {
public:
    FreeDecimalField() {
        setLocale(QLocale::c());
        setDecimals(6);
        setRange(-kLimit, kLimit);
    }
    QString textFromValue(double value) const override {
        return QString::fromStdString(core::decimalText(value));
    }

private:
    static constexpr double kLimit = 1e9;
};

QDoubleSpinBox* decimalField(const char* name, const QString& label, double step, double initial) {
    auto* field = new FreeDecimalField;
    field->setObjectName(QLatin1String(name));
    field->setAccessibleName(label);
    field->setSingleStep(step);
    field->setValue(initial);
    return field;
}

shell::ValueLabel* resultLabel(const char* name, const QString& caption, const QString& text) {
    auto* label = new shell::ValueLabel(caption);
    label->setText(text);
    label->setObjectName(QLatin1String(name));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(90);
    label->setAlignment(Qt::AlignCenter);
    QFont bold = label->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    label->setFont(bold);
    return label;
}

}  // namespace

TKECalc2::TKECalc2(std::filesystem::path dataDir, QWidget* parent)
    : QDialog(parent), m_dataDir(std::move(dataDir)) {
    setObjectName(QStringLiteral("KECalc2"));
    setWindowTitle(tr("2012 Kinetic Energy and Front of Center Calculators"));

    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setAccessibleName(tr("Calculators"));
    m_pages->addTab(buildEnergyPage(), tr("Kinetic Energy"));
    m_pages->addTab(buildFocPage(), tr("Front of Center"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* TKECalc2::makeCloseButton() {
    auto* button = new QPushButton(tr("Close"));
    button->setObjectName(QStringLiteral("KECloseBtn"));
    button->setAccessibleName(button->text());
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, &TKECalc2::KECloseBtnClick);
    return button;
}

QWidget* TKECalc2::buildEnergyPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("KEPage"));

    const QString weightLabel = tr("Total Grain Weight of Arrow Shaft:");
    const QString velocityLabel = tr("Impact Velocity (Feet/Second):");
    m_grainWt = wholeNumberField("GrainWt", weightLabel, 400);
    m_velocity = wholeNumberField("Velocity", velocityLabel, 200);
    auto* inputs = new QFormLayout;
    inputs->addRow(weightLabel, m_grainWt);
    inputs->addRow(velocityLabel, m_velocity);

    auto* calculate = new QPushButton(tr("Calculate"));
    calculate->setObjectName(QStringLiteral("KECalcBtn"));
    calculate->setAccessibleName(calculate->text());
    calculate->setDefault(true);
    connect(calculate, &QPushButton::clicked, this, &TKECalc2::GrainWtChange);

    const QString energyCaption = tr("Kinetic Energy (Foot Lbs.)");
    m_energy = resultLabel("Label6", energyCaption, QStringLiteral("35.54"));
    auto* energyBox = new QGroupBox(energyCaption);
    auto* energyLayout = new QHBoxLayout(energyBox);
    energyLayout->addWidget(m_energy);

    m_animator = new info::PictureCycler;
    m_animator->setObjectName(QStringLiteral("Animator1"));
    m_animator->setAccessibleName(tr("Game animation"));
    m_animator->setFixedSize(150, 150);
    m_animator->setFrameShape(QFrame::Box);
    m_animator->setInterval(3000);
    runAnimation(GameClass::Medium);

    auto* left = new QVBoxLayout;
    left->addLayout(inputs);
    left->addWidget(calculate, 0, Qt::AlignLeft);
    left->addWidget(energyBox);
    left->addWidget(m_animator, 0, Qt::AlignHCenter);
    left->addStretch();

    m_usage = new HuntingUsageScale;
    auto* usageBox = new QGroupBox(tr("Hunting Usage"));
    auto* usageLayout = new QVBoxLayout(usageBox);
    usageLayout->addWidget(m_usage, 1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addWidget(usageBox);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(columns, 1);
    layout->addWidget(makeCloseButton(), 0, Qt::AlignRight);
    return page;
}

QWidget* TKECalc2::buildFocPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("FOCPage"));

    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("FOCImage"));
    picture->setAccessibleName(tr("Arrow length L and balance distance A"));
    picture->setAlignment(Qt::AlignCenter);
    info::pictures::showIn(picture, info::pictures::path(m_dataDir, QStringLiteral("foc.jpg")));
    picture->setMinimumSize(400, 130);

    const QString lengthLabel = tr("Arrow Length (L)");
    const QString balanceLabel = tr("Balance distance from nock groove (A)");
    m_length = decimalField("FSpinLenEdit", lengthLabel, 0.1, 30.0);
    m_balance = decimalField("FSpinBalEdit", balanceLabel, 0.25, 15.0);
    auto* inputs = new QFormLayout;
    inputs->addRow(tr("Arrow Length") + QStringLiteral("  (L)"), m_length);
    inputs->addRow(tr("Balance distance from nock groove") + QStringLiteral("  (A)"), m_balance);

    auto* calculate = new QPushButton(tr("Calculate"));
    calculate->setObjectName(QStringLiteral("FOCCalcBtn"));
    calculate->setAccessibleName(calculate->text());
    connect(calculate, &QPushButton::clicked, this, &TKECalc2::FOCCalcBtnClick);

    const QString resultCaption = tr("Front-of-Center Percent:");
    m_foc = resultLabel("Label9", resultCaption, QString());
    auto* result = new QHBoxLayout;
    result->addWidget(new QLabel(resultCaption));
    result->addWidget(m_foc);
    result->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(picture);
    layout->addLayout(inputs);
    layout->addWidget(calculate, 0, Qt::AlignLeft);
    layout->addLayout(result);
    layout->addStretch();
    layout->addWidget(makeCloseButton(), 0, Qt::AlignRight);
    return page;
}

void TKECalc2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TKECalc2::FormActivate() {
    m_grainWt->setFocus();
}

void TKECalc2::GrainWtChange() {
    shell::guarded(this, [this] {
        const auto energy =
            computeKineticEnergy(m_grainWt->text().toStdString(), m_velocity->text().toStdString());
        switch (energy.outcome) {
            case KineticEnergy::Outcome::ConversionError:
                throw shell::UserError(energy.message);
            case KineticEnergy::Outcome::ZeroInvalid:
                shell::MessageBox::information(this, QString::fromStdString(energy.message));
                break;
            case KineticEnergy::Outcome::Ok:
                m_energy->setText(QString::fromStdString(energy.text));
                m_usage->setLevel(energy.barPosition);
                runAnimation(energy.gameClass);
                break;
        }
    });
    m_grainWt->setFocus();
}

void TKECalc2::FOCCalcBtnClick() {
    // Text that is not a number counts as 0, as in every decimal field.
    const auto read = [](const QDoubleSpinBox* field) {
        return core::parseDecimal(field->cleanText().toStdString()).value_or(0.0);
    };
    const auto foc = computeFrontOfCenter(read(m_length), read(m_balance));
    if (foc.ok) {
        m_foc->setText(QString::fromStdString(foc.text));
    } else {
        shell::MessageBox::information(this, QString::fromStdString(foc.message));
    }
    m_length->setFocus();
}

void TKECalc2::runAnimation(GameClass gameClass) {
    m_animationList = QString::fromLatin1(pictureListName(gameClass));
    m_animator->setPictureFiles(info::pictures::list(m_dataDir, framePrefix(gameClass)));
    m_animator->start();
}

void TKECalc2::KECloseBtnClick() {
    close();
}

}  // namespace quivra::calculators
