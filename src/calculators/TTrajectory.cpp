#include "TTrajectory.h"

#include "ErrorHandler.h"
#include "KillWindowDiagram.h"
#include "NumberText.h"
#include "Pictures.h"
#include "TrajectoryRules.h"
#include "TrajectoryTable.h"
#include "ValueLabel.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quivra::calculators {

namespace {

// A spin field that changes only by its arrows (or the arrow keys and the
// wheel): typing is disabled so it always holds one of the table's steps.
QSpinBox* stepField(const char* name, const QString& label, int minimum, int maximum, int step,
                    int initial) {
    auto* field = new QSpinBox;
    field->setObjectName(QLatin1String(name));
    field->setAccessibleName(label);
    field->setLocale(QLocale::c());
    field->setRange(minimum, maximum);
    field->setSingleStep(step);
    field->setValue(initial);
    if (auto* edit = field->findChild<QLineEdit*>()) edit->setReadOnly(true);
    return field;
}

shell::ValueLabel* valueLabel(const char* name, const QString& caption) {
    auto* label = new shell::ValueLabel(caption);
    label->setObjectName(QLatin1String(name));
    label->setMinimumWidth(48);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QLabel* legend(const QColor& colour, const QString& text) {
    auto* label = new QLabel(QStringLiteral("<span style=\"color:%1\">&#9632;</span> %2")
                                 .arg(colour.name(), text.toHtmlEscaped()));
    label->setAccessibleName(text);
    return label;
}

void throwIfFailed(const storage::Status& status) {
    if (!status) throw shell::UserError(status.message());
}

}  // namespace

TTrajectory::TTrajectory(const std::filesystem::path& dataDir, QWidget* parent)
    : QDialog(parent), m_table(std::make_unique<TrajectoryTable>(dataDir)) {
    setObjectName(QStringLiteral("Trajectory"));
    setWindowTitle(tr("Quivra Plus"));

    auto* banner = new QLabel;
    banner->setObjectName(QStringLiteral("BannerImage"));
    banner->setAccessibleName(tr("Kill Window"));
    banner->setAlignment(Qt::AlignCenter);
    info::pictures::showIn(banner,
                           info::pictures::path(dataDir, QStringLiteral("traj_banner.jpg")));
    banner->setMinimumHeight(60);

    const QString velocityText = tr("Velocity at Bow");
    const QString weightText = tr("Arrow Weight");
    const QString distanceText = tr("Distance to Target");
    m_velocitySpin = stepField("VelocitySpin", velocityText, 180, 300, 20, 240);
    m_weightSpin = stepField("WeightSpin", weightText, 350, 650, 50, 450);
    m_distanceSpin = stepField("DistanceSpin", distanceText, 20, 60, 10, 40);
    auto* inputs = new QGroupBox(tr("Arrow and Shot"));
    auto* inputLayout = new QFormLayout(inputs);
    inputLayout->addRow(velocityText, m_velocitySpin);
    inputLayout->addRow(weightText, m_weightSpin);
    inputLayout->addRow(distanceText, m_distanceSpin);

    const QString velocityCaption = tr("Velocity (Feet/Second):");
    const QString depthCaption = tr("Kill Window Depth (Yards):");
    m_velocity = valueLabel("Label10", velocityCaption);
    m_range = valueLabel("Label17", tr("Range"));
    m_depth = valueLabel("Label8", depthCaption);
    auto* outputs = new QGroupBox(tr("Kill Window"));
    auto* outputLayout = new QFormLayout(outputs);
    outputLayout->addRow(velocityCaption, m_velocity);
    outputLayout->addRow(tr("Range"), m_range);
    outputLayout->addRow(depthCaption, m_depth);
    outputLayout->addRow(
        legend(QColor(0xe5, 0x39, 0x35), tr("Nearest Range: the arrow is 4 inches high")));
    outputLayout->addRow(
        legend(QColor(0x1e, 0x63, 0xc8), tr("Extreme Range: the arrow is 4 inches low")));

    auto* figures = new QHBoxLayout;
    figures->addWidget(inputs);
    figures->addWidget(outputs, 1);

    m_diagram = new KillWindowDiagram(dataDir);

    auto* closeButton = new QPushButton(tr("&Close"));
    closeButton->setObjectName(QStringLiteral("ExitBtn1"));
    closeButton->setAccessibleName(tr("Close"));
    closeButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, &TTrajectory::ExitBtn1Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addLayout(figures);
    layout->addWidget(m_diagram, 0, Qt::AlignHCenter);
    layout->addWidget(closeButton, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FormCreate();
    for (QSpinBox* spin : {m_velocitySpin, m_weightSpin, m_distanceSpin}) {
        connect(spin, &QSpinBox::valueChanged, this, &TTrajectory::VelocitySpinChange);
    }
}

TTrajectory::~TTrajectory() = default;

void TTrajectory::FormCreate() {
    m_range->setText(m_distanceSpin->text());
    shell::guarded(this, [this] { throwIfFailed(m_table->open()); });
}

void TTrajectory::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    VelocitySpinChange();
}

void TTrajectory::VelocitySpinChange() {
    shell::guarded(this, [this] { fillFromTable(); });
}

void TTrajectory::fillFromTable() {
    const int velocity = m_velocitySpin->value();
    const int weight = m_weightSpin->value();
    const int distance = m_distanceSpin->value();

    // Fields of a table that could not be opened read as empty text.
    std::string vel;
    std::string low;
    std::string high;
    if (m_table->isOpen()) {
        storage::Result<KillWindow> window = m_table->killWindow(velocity, weight, distance);
        throwIfFailed(window.status());
        vel = std::move(window.value().velocity);
        low = std::move(window.value().nearest);
        high = std::move(window.value().farthest);
    }
    m_velocity->setText(QString::fromStdString(vel));
    m_diagram->highLabel()->setText(QString::fromStdString(low));
    m_diagram->lowLabel()->setText(QString::fromStdString(high));

    // The depth comes from the two range texts, as shown.
    const auto nearest = core::parseInteger(low);
    if (!nearest) throw shell::UserError(core::notAnIntegerMessage(low));
    const auto farthest = core::parseInteger(high);
    if (!farthest) throw shell::UserError(core::notAnIntegerMessage(high));
    m_depth->setText(QString::number(*farthest - *nearest));
    m_range->setText(m_distanceSpin->text());
    m_diagram->place(trajectoryDiagram(distance, *nearest, *farthest));
}

void TTrajectory::ExitBtn1Click() {
    close();
}

}  // namespace quivra::calculators
