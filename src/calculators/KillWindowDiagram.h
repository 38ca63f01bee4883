#pragma once
// The kill-window diagram of the trajectory window, at 10 pixels per yard:
// the archer on the left, the target at the sighted distance, the near
// marker (Shape3), the far marker (Shape2) and the bar between them (Shape4),
// with the nearest and extreme range figures (HighLabel, LowLabel) standing
// just left of their markers.  Positions come from trajectoryDiagram().

#include "ValueLabel.h"

#include <QWidget>

#include <filesystem>

class QFrame;

namespace quivra::calculators {

struct TrajectoryDiagram;

class KillWindowDiagram : public QWidget {
    Q_OBJECT
public:
    explicit KillWindowDiagram(const std::filesystem::path& dataDir, QWidget* parent = nullptr);

    // Places markers, bar and range labels.
    void place(const TrajectoryDiagram& diagram);

    [[nodiscard]] QFrame* nearMarker() const { return m_near; }
    [[nodiscard]] QFrame* farMarker() const { return m_far; }
    [[nodiscard]] QFrame* bar() const { return m_bar; }
    [[nodiscard]] shell::ValueLabel* highLabel() const { return m_highLabel; }
    [[nodiscard]] shell::ValueLabel* lowLabel() const { return m_lowLabel; }

    [[nodiscard]] QSize sizeHint() const override;

private:
    QFrame* m_near = nullptr;
    QFrame* m_far = nullptr;
    QFrame* m_bar = nullptr;
    shell::ValueLabel* m_highLabel = nullptr;
    shell::ValueLabel* m_lowLabel = nullptr;
};

}  // namespace quivra::calculators
