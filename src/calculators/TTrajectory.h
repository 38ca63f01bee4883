#pragma once
// Trajectory, "Quivra Plus": an arrow's kill window (the distances at which
// it is within 4 inches of the point of aim) for a chosen launch velocity,
// arrow weight and sighted distance, read from the precomputed table
// Newtraj.dbf.  Only the depth and the diagram are computed.

#include <QDialog>

#include <filesystem>
#include <memory>

class QSpinBox;

namespace quivra::shell {
class ValueLabel;
}
namespace quivra::calculators {

class KillWindowDiagram;
class TrajectoryTable;

class TTrajectory : public QDialog {
    Q_OBJECT
public:
    explicit TTrajectory(const std::filesystem::path& dataDir, QWidget* parent = nullptr);
    ~TTrajectory() override;
    TTrajectory(const TTrajectory&) = delete;
    TTrajectory& operator=(const TTrajectory&) = delete;

    // Chooses the record for the three inputs and fills the outputs.
    void VelocitySpinChange();

    [[nodiscard]] KillWindowDiagram* diagram() const { return m_diagram; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void fillFromTable();
    void ExitBtn1Click();

    std::unique_ptr<TrajectoryTable> m_table;  // TrajTbl
    QSpinBox* m_velocitySpin = nullptr;
    QSpinBox* m_weightSpin = nullptr;
    QSpinBox* m_distanceSpin = nullptr;
    shell::ValueLabel* m_velocity = nullptr;  // Label10
    shell::ValueLabel* m_range = nullptr;     // Label17
    shell::ValueLabel* m_depth = nullptr;     // Label8
    KillWindowDiagram* m_diagram = nullptr;
};

}  // namespace quivra::calculators
