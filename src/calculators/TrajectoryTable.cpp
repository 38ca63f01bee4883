#include "TrajectoryTable.h"

#include "NumberText.h"
#include "TableStore.h"
#include "TrajectoryRules.h"

namespace quivra::calculators {

TrajectoryTable::TrajectoryTable(const std::filesystem::path& dataDir)
    : m_table(std::make_unique<storage::TableStore>(dataDir / kTrajectoryFile)) {}

TrajectoryTable::~TrajectoryTable() = default;

storage::Status TrajectoryTable::open() {
    return m_table->open();
}

bool TrajectoryTable::isOpen() const {
    return m_table->isOpen();
}

storage::Result<KillWindow> TrajectoryTable::killWindow(int velocity, int weight, int distance) {
    const int record = trajectoryRecord(velocity, weight, distance);
    if (storage::Status s = m_table->goTo(static_cast<std::uint32_t>(record)); !s) return s;
    KillWindow window;
    const std::pair<const char*, std::string*> fields[] = {
        {"VEL", &window.velocity}, {"LOW", &window.nearest}, {"HIGH", &window.farthest}};
    for (const auto& [name, target] : fields) {
        const storage::Result<std::string> text = m_table->fieldText(name);
        if (!text) return text.status();
        target->assign(core::trimBlanks(*text));
    }
    return window;
}

}  // namespace quivra::calculators
