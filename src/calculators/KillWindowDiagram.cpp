#include "KillWindowDiagram.h"

#include "Pictures.h"
#include "TrajectoryRules.h"
#include "ValueLabel.h"

#include <QFrame>
#include <QLabel>

namespace quivra::calculators {

namespace {

// Vertical layout of the diagram, in pixels.
constexpr int kLabelTop = 4;
constexpr int kMarkerTop = 24;
constexpr int kMarkerHeight = 56;
constexpr int kBarTop = 46;
constexpr int kBarHeight = 12;
constexpr int kPictureTop = 8;
constexpr int kWidth = 660;  // the far marker reaches 496 + 10 x (far - sight)
constexpr int kHeight = 112;

QFrame* shape(QWidget* parent, const char* name, const QString& accessibleName,
              const QColor& colour) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setAccessibleName(accessibleName);
    frame->setFrameShape(QFrame::Box);
    frame->setAutoFillBackground(true);
    QPalette colours = frame->palette();
    colours.setColor(QPalette::Window, colour);
    colours.setColor(QPalette::WindowText, colour.darker(160));
    frame->setPalette(colours);
    return frame;
}

shell::ValueLabel* rangeLabel(QWidget* parent, const char* name, const QString& caption) {
    auto* label = new shell::ValueLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

}  // namespace

KillWindowDiagram::KillWindowDiagram(const std::filesystem::path& dataDir, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("KillWindowDiagram"));
    setAccessibleName(tr("Kill window diagram"));
    setFixedSize(kWidth, kHeight);

    // The archer stands left of the nearest marker position; the target fills
    // the gap between the sighted-distance positions of the two markers.
    auto* archer = new QLabel(this);
    archer->setObjectName(QStringLiteral("ArcherImage"));
    archer->setAccessibleName(tr("Archer"));
    info::pictures::showIn(archer,
                           info::pictures::path(dataDir, QStringLiteral("traj_archer.jpg")));
    archer->setGeometry(60, kPictureTop, 100, 100);

    auto* target = new QLabel(this);
    target->setObjectName(QStringLiteral("TargetImage"));
    target->setAccessibleName(tr("Target"));
    info::pictures::showIn(target,
                           info::pictures::path(dataDir, QStringLiteral("traj_target.jpg")));
    const int gap = TrajectoryDiagram::kFarAtSight - TrajectoryDiagram::kNearAtSight;
    target->setGeometry(TrajectoryDiagram::kNearAtSight + (gap - 100) / 2 + 4, kPictureTop, 100,
                        100);

    m_bar = shape(this, "Shape4", tr("Kill window"), QColor(0x4c, 0xaf, 0x50, 0xb0));
    m_near = shape(this, "Shape3", tr("Nearest range marker"), QColor(0xe5, 0x39, 0x35));
    m_far = shape(this, "Shape2", tr("Extreme range marker"), QColor(0x1e, 0x63, 0xc8));
    m_highLabel = rangeLabel(this, "HighLabel", tr("Nearest Range"));
    m_lowLabel = rangeLabel(this, "LowLabel", tr("Extreme Range"));
    place(trajectoryDiagram(40, 40, 40));
}

void KillWindowDiagram::place(const TrajectoryDiagram& diagram) {
    m_near->setGeometry(diagram.nearLeft, kMarkerTop, 6, kMarkerHeight);
    m_far->setGeometry(diagram.farLeft, kMarkerTop, 6, kMarkerHeight);
    m_bar->setGeometry(diagram.barLeft, kBarTop, diagram.barWidth, kBarHeight);
    m_highLabel->adjustSize();
    m_lowLabel->adjustSize();
    m_highLabel->move(diagram.highLabelLeft, kLabelTop);
    m_lowLabel->move(diagram.lowLabelLeft, kLabelTop);
}

QSize KillWindowDiagram::sizeHint() const {
    return {kWidth, kHeight};
}

}  // namespace quivra::calculators
