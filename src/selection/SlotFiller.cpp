#include "SlotFiller.h"

#include "ChartFields.h"
#include "NumberText.h"
#include "TableCache.h"

namespace quivra::selection {

SlotFiller::SlotFiller(TableCache& cache, storage::TableStore& specs, ModelsColumn models,
                       double length, std::vector<std::string>& dataErrors)
    : m_cache(cache),
      m_specs(specs),
      m_models(models),
      m_length(length),
      m_dataErrors(dataErrors) {}

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
    const storage::Result<const SpecTexts*> record = m_cache.spec(m_specs, key);
    if (!record) return record.status();
    const SpecTexts& spec = **record;
    if (!spec.found) {
        // Reading the fields at end of table would show blanks and stop the
        // search on the blank GPI; name the missing key instead.
        m_dataErrors.push_back("The key '" + key + "' is not in " + chart::kSpecsFile + ".");
        blank(slot);
        return storage::Status::ok();
    }
    const std::string_view modelsText =
        trimBlanks(m_models == ModelsColumn::Hunting ? spec.hmodels : spec.tmodels);
    std::optional<std::string> weight;
    if (!twoValueCode.empty() && modelsText == twoValueCode) {
        const std::string_view g = spec.gpi;
        const std::string_view first = g.substr(0, 4);
        const std::string_view second = g.size() > 5 ? g.substr(5, 4) : std::string_view();
        weight = weightOf(first, key);
        if (weight) {
            const std::optional<std::string> other = weightOf(second, key);
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
