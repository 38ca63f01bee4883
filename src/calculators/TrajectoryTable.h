#pragma once
// TrajectoryTable: the precomputed kill windows of Newtraj.dbf, one record
// per arrow weight, launch velocity and sighted distance (see
// trajectoryRecord() for the order).  Fields, character: VEL the velocity
// shown, LOW the nearest and HIGH the farthest distance (yards) at which the
// arrow is within 4 inches of the point of aim.
//
// Plain C++ on the table store; the reader owns its read-only handle.

#include "Status.h"

#include <filesystem>
#include <memory>
#include <string>

namespace quivra::storage {
class TableStore;
}

namespace quivra::calculators {

inline constexpr const char* kTrajectoryFile = "Newtraj.dbf";

// One record's texts, trimmed.
struct KillWindow {
    std::string velocity;  // VEL
    std::string nearest;   // LOW
    std::string farthest;  // HIGH
};

class TrajectoryTable {
public:
    // `dataDir` holds Newtraj.dbf; nothing is opened yet.
    explicit TrajectoryTable(const std::filesystem::path& dataDir);
    ~TrajectoryTable();
    TrajectoryTable(const TrajectoryTable&) = delete;
    TrajectoryTable& operator=(const TrajectoryTable&) = delete;

    storage::Status open();
    [[nodiscard]] bool isOpen() const;

    // The record of the combination.  Precondition: isOpen().  Inputs
    // outside the table's ranges fail with the table's record-number error.
    storage::Result<KillWindow> killWindow(int velocity, int weight, int distance);

private:
    std::unique_ptr<storage::TableStore> m_table;
};

}  // namespace quivra::calculators
