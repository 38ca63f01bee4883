#include "SlotFiller.h"

#include "ChartFields.h"
#include "NumberText.h"
#include "TableStore.h"

namespace quivra::selection {

SlotFiller::SlotFiller(storage::TableStore& specs, std::string_view modelsField, double length,
                       std::vector<std::string>& dataErrors)
    : m_specs(specs), m_modelsField(modelsField), m_length(length), m_dataErrors(dataErrors) {}

void SlotFiller::clear(RecommendationSlot& slot) {
    for (GridButton* b : {&slot.size, &slot.spine, &slot.models, &slot.weight}) {
        b->showCaption = false;
        b->caption.clear();
    }
    slot.size.enabled = false;
}

void SlotFiller::blank(RecommendationSlot& slot) {
    slot.spine.caption.clear();
    slot.models.caption.clear();
    slot.weight.caption.clear();
}

std::optional<std::string> SlotFiller::weightOf(std::string_view gpiText, const std::string& key) {
    const std::string_view text = trimBlanks(gpiText);
    if (const auto gpi = parseDecimal(text)) return weightCaption(*gpi, m_length);
    m_dataErrors.push_back(std::string(chart::kSpecsFile) + ", key '" + key +
                           "': " + storage::notAFloatMessage(std::string(text)));
    return std::nullopt;
}

storage::Status SlotFiller::fill(RecommendationSlot& slot, const std::string& key,
                                 std::string_view twoValueCode) {
    const storage::Result<bool> found = m_specs.seek(key);
    if (!found) return found.status();
    if (!*found) {
        // Reading the fields at end of table would show blanks and stop the
        // search on the blank GPI; name the missing key instead.
        m_dataErrors.push_back("The key '" + key + "' is not in " + chart::kSpecsFile + ".");
        blank(slot);
        return storage::Status::ok();
    }
    storage::Result<std::string> spine = m_specs.fieldText("SPINE");
    if (!spine) return spine.status();
    const storage::Result<std::string> models = m_specs.fieldText(m_modelsField);
    if (!models) return models.status();
    const storage::Result<std::string> gpi = m_specs.fieldText("GPI");
    if (!gpi) return gpi.status();

    const std::string_view modelsText = trimBlanks(*models);
    std::optional<std::string> weight;
    if (!twoValueCode.empty() && modelsText == twoValueCode) {
        const std::string_view g = *gpi;
        const std::string_view first = g.substr(0, 4);
        const std::string_view second = g.size() > 5 ? g.substr(5, 4) : std::string_view();
        weight = weightOf(first, key);
        if (weight) {
            const std::optional<std::string> other = weightOf(second, key);
            weight = other ? *weight + "," + *other : std::optional<std::string>();
        }
    } else {
        weight = weightOf(*gpi, key);
    }
    if (!weight) {
        blank(slot);
        return storage::Status::ok();
    }
    slot.spine.caption = std::move(spine).value();
    slot.models.caption.assign(modelsText);
    slot.weight.caption = std::move(*weight);
    return storage::Status::ok();
}

}  // namespace quivra::selection
