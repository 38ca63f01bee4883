#include "SlotFiller.h"

#include "NumberText.h"
#include "ShaftCatalogue.h"

namespace quivra::selection {

SlotFiller::SlotFiller(catalogue::ShaftCatalogue& catalogue, ModelsColumn models, double length,
                       std::vector<std::string>& dataErrors)
    : m_catalogue(catalogue), m_models(models), m_length(length), m_dataErrors(dataErrors) {}

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
    const std::string_view text = core::trimBlanks(gpiText);
    if (const auto gpi = core::parseDecimal(text))
        return catalogue::bareShaftWeightText(*gpi, m_length);
    m_dataErrors.push_back(std::string(catalogue::kTableFile) + ", key '" + key +
                           "': " + core::notAFloatMessage(std::string(text)));
    return std::nullopt;
}

storage::Status SlotFiller::fill(RecommendationSlot& slot, std::string_view twoValueCode) {
    // A slot an earlier search emptied shows its captions again, also where
    // no common reset ran before this fill (the Youth and Kestra pages).
    for (GridButton* b : {&slot.size, &slot.spine, &slot.models, &slot.weight}) {
        b->showCaption = true;
    }
    slot.size.enabled = true;
    const std::string key = slot.size.caption + slot.keySuffix;
    const storage::Result<const catalogue::ShaftRecord*> record = m_catalogue.find(key);
    if (!record) return record.status();
    const catalogue::ShaftRecord& spec = **record;
    if (!spec.found) {
        // Reading the fields at end of table would show blanks and stop the
        // search on the blank GPI; name the missing key instead.
        m_dataErrors.push_back("The key '" + key + "' is not in " + catalogue::kTableFile + ".");
        blank(slot);
        return storage::Status::ok();
    }
    const std::string_view modelsText =
        core::trimBlanks(m_models == ModelsColumn::Hunting ? spec.hmodels : spec.tmodels);
    std::optional<std::string> weight;
    if (!twoValueCode.empty() && modelsText == twoValueCode) {
        const catalogue::FamilyGpi gpi = catalogue::splitFamilies(spec.gpi);
        weight = weightOf(gpi.first, key);
        if (weight) {
            const std::optional<std::string> other = weightOf(gpi.second, key);
            weight = other ? *weight + "," + *other : std::optional<std::string>();
        }
    } else {
        weight = weightOf(spec.gpi, key);
    }
    if (!weight) {
        blank(slot);
        return storage::Status::ok();
    }
    slot.spine.caption = spec.spine;
    slot.models.caption.assign(modelsText);
    slot.weight.caption = std::move(*weight);
    return storage::Status::ok();
}

}  // namespace quivra::selection
