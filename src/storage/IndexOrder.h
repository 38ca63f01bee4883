#pragma once
// IndexOrder: what the table handle needs from a selected index to walk the
// table in key order.  The index implementation derives from it; TableStore
// navigation only ever talks to this interface.

#include "Status.h"

#include <cstdint>

namespace quivra::storage {

class IndexOrder {
public:
    virtual ~IndexOrder() = default;

    // Record numbers in key order.  0 means there is none (end of the order).
    // `recNo` of nextRec/prevRec is a record the handle stands on; when its key
    // is no longer in the index (it was changed by another handle) the
    // implementation answers with the neighbour of the record's current key.
    virtual Result<std::uint32_t> firstRec() = 0;
    virtual Result<std::uint32_t> lastRec() = 0;
    virtual Result<std::uint32_t> nextRec(std::uint32_t recNo) = 0;
    virtual Result<std::uint32_t> prevRec(std::uint32_t recNo) = 0;
};

}  // namespace quivra::storage
