#pragma once
// SlotFiller: writes one recommendation slot from the specification table.
// The page branch sets the size caption and decides emptiness and carbon
// entries; this class looks the key up in Specs.DBF and writes the spine,
// models and weight captions.

#include "RecommendationSlot.h"
#include "Status.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::storage {
class TableStore;
}

namespace quivra::selection {

class TableCache;

// The models column of a page: HMODELS (Hunting, Kestra) or TMODELS (Target, Youth).
enum class ModelsColumn { Hunting, Target };

class SlotFiller {
public:
    // `specs` is open on specs.idx and read through `cache`; `length` is the
    // arrow length in inches; data faults are appended to `dataErrors`.  All
    // referenced objects must outlive the filler.
    SlotFiller(TableCache& cache, storage::TableStore& specs, ModelsColumn models, double length,
               std::vector<std::string>& dataErrors);

    // Seeks `key` and writes the spine caption (SPINE as read), the models
    // caption (trimmed models field) and the weight caption.  When the models
    // caption equals `twoValueCode` (never when it is empty) the weight is
    // two-valued: GPI characters 1-4 and 6-9, each converted, joined by ",".
    // A key that is not in the table or a GPI text that is not a number is
    // recorded in dataErrors and leaves the three captions blank.  Only a
    // failure to read the table ends the search (the returned status).
    storage::Status fill(RecommendationSlot& slot, const std::string& key,
                         std::string_view twoValueCode);

    // An empty slot: every caption cleared and hidden, the size button
    // disabled; the other buttons keep their enabled state.
    static void clear(RecommendationSlot& slot);

private:
    void blank(RecommendationSlot& slot);
    std::optional<std::string> weightOf(std::string_view gpiText, const std::string& key);

    TableCache& m_cache;
    storage::TableStore& m_specs;
    ModelsColumn m_models;
    double m_length;
    std::vector<std::string>& m_dataErrors;
};

}  // namespace quivra::selection
