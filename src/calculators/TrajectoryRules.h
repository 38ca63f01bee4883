#pragma once
// The trajectory table's record choice and its kill-window diagram.
//
// Newtraj.dbf holds one record per combination of arrow weight (350..650 in
// steps of 50, outermost), velocity (180..300 in steps of 20) and sighted
// distance (20..60 in steps of 10, innermost): 7 * 7 * 5 = 245 records.

namespace quivra::calculators {

inline constexpr int kTrajectoryRecordCount = 245;

// 1-based record of the combination; whole-number divisions as in the table's
// layout.  Inputs outside the ranges give numbers outside 1..245.
int trajectoryRecord(int velocity, int weight, int distance);

// Positions of the diagram, in pixels of the diagram's coordinate system at
// 10 pixels per yard.  The sighted distance d stands between x 391 (where
// the near marker is when the near distance equals d) and x 496 (the far
// marker's place when the far distance equals d).
struct TrajectoryDiagram {
    static constexpr int kPixelsPerYard = 10;
    static constexpr int kNearAtSight = 391;
    static constexpr int kFarAtSight = 496;
    static constexpr int kNearLimit = 191;  // the near marker goes no further left
    static constexpr int kLabelOffset = 9;  // labels stand this far left of their marker

    int nearLeft = 0;       // Shape3
    int farLeft = 0;        // Shape2
    int barLeft = 0;        // Shape4
    int barWidth = 0;       // far - near + 2
    int highLabelLeft = 0;  // HighLabel (nearest range)
    int lowLabelLeft = 0;   // LowLabel (extreme range)
};

TrajectoryDiagram trajectoryDiagram(int distance, int nearest, int farthest);

}  // namespace quivra::calculators
