#pragma once
// SlotFiller: writes one recommendation slot from the shaft catalogue.  The
// page branch sets the size caption and decides emptiness and carbon
// entries; this class looks the key up in the catalogue and writes the
// spine, models and weight captions and the slot's key suffix.

#include "Page.h"
#include "RecommendationSlot.h"
#include "Status.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::catalogue {
class ShaftCatalogue;
}

namespace quivra::selection {

class TableCache;

// The models column of a page: HMODELS (Hunting, Kestra) or TMODELS (Target, Youth).
enum class ModelsColumn { Hunting, Target };

// The models column the grid of `page` shows.
constexpr ModelsColumn modelsColumnOf(core::Page page) {
    return page == core::Page::Targ || page == core::Page::Youth ? ModelsColumn::Target
                                                                 : ModelsColumn::Hunting;
}

class SlotFiller {
public:
    // `length` is the arrow length in inches; data faults are appended to
    // `dataErrors`.  All referenced objects must outlive the filler.
    SlotFiller(catalogue::ShaftCatalogue& catalogue, ModelsColumn models, double length,
               std::vector<std::string>& dataErrors);

    // Shows all four captions of the slot and enables its size button, then
    // looks up the key made of the slot's size caption and key suffix (both
    // set by the branch) and writes the spine caption (SPINE as read), the
    // models caption (trimmed models field) and the weight caption.  When the models
    // caption equals `twoValueCode` (never when it is empty) the weight is
    // two-valued: GPI characters 1-4 and 6-9, each converted, joined by ",".
    // A key that is not in the table or a GPI text that is not a number is
    // recorded in dataErrors and leaves the three captions blank.  Only a
    // failure to read the table ends the search (the returned status).
    storage::Status fill(RecommendationSlot& slot, std::string_view twoValueCode);

    // An empty slot: every caption cleared and hidden, the size button
    // disabled; the other buttons keep their enabled state.
    static void clear(RecommendationSlot& slot);

private:
    void blank(RecommendationSlot& slot);
    std::optional<std::string> weightOf(std::string_view gpiText, const std::string& key);

    catalogue::ShaftCatalogue& m_catalogue;
    ModelsColumn m_models;
    double m_length;
    std::vector<std::string>& m_dataErrors;
};

}  // namespace quivra::selection
