#pragma once
// Temporary stand-in until the .idx reader lands: declares the type so that
// TableStore links.  Never instantiated.

#include "IndexOrder.h"

namespace quivra::storage {

class IndexFile : public IndexOrder {
public:
    Result<std::uint32_t> firstRec() override { return unavailable(); }
    Result<std::uint32_t> lastRec() override { return unavailable(); }
    Result<std::uint32_t> nextRec(std::uint32_t) override { return unavailable(); }
    Result<std::uint32_t> prevRec(std::uint32_t) override { return unavailable(); }

private:
    static Status unavailable() { return Status::unsupported("indexes are not available yet"); }
};

}  // namespace quivra::storage
