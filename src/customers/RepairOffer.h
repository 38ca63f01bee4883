#pragma once
// The boxes about a damaged table: says what is wrong, once, and offers the
// repair (DamagedTable.h holds the rules and texts).

#include "DamagedTable.h"

class QWidget;

namespace quivra::customers {

// When `damaged` is damaged, asks whether to repair it; on Yes repairs it
// (dated backup first) and says what was kept and dropped, or why the
// repair failed.  Returns true when the table was repaired; the caller
// opens it again.  Returns false at once for a sound table.
bool offerRepair(QWidget* parent, const DamagedTable& damaged,
                 storage::FileIo& io = storage::FileIo::posix());

}  // namespace quivra::customers
