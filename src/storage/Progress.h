#pragma once
// Progress of long table work (export, index rebuild, repair).  The callback
// is called on the thread doing the work with the records done so far and the
// total; it returns false to ask the work to stop.  Work stopped this way
// leaves every file exactly as it was before it started.

#include <cstdint>
#include <functional>

namespace quivra::storage {

using ProgressFn = std::function<bool(std::uint64_t done, std::uint64_t total)>;

}  // namespace quivra::storage
