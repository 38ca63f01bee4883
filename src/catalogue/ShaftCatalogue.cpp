#include "ShaftCatalogue.h"

#include "NumberText.h"
#include "TableStore.h"

#include <array>
#include <charconv>
#include <system_error>

namespace quivra::catalogue {

FamilyGpi splitFamilies(std::string_view gpiText) {
    return {gpiText.substr(0, 4), gpiText.size() > 5 ? gpiText.substr(5, 4) : std::string_view()};
}

bool isTwoFamilyModels(std::string_view models) {
    return models.size() >= 5 && models.substr(2, 3) == ",M4";
}

std::string bareShaftWeightText(double gpi, double length) {
    const double weight = gpi * length + 0.5;
    std::array<char, 64> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), weight,
                                         std::chars_format::general, 15);
    // 64 characters hold any double at 15 digits; ec cannot be set.
    const std::string_view written(
        buffer.data(), ec == std::errc() ? static_cast<std::size_t>(end - buffer.data()) : 0);
    return core::cutAtFirst(written, '.');
}

std::optional<double> ShaftRecord::outsideDiameter() const {
    std::string_view text = core::trimBlanks(outside);
    if (!text.empty() && text.back() == '"') text.remove_suffix(1);
    return core::parseDecimal(text);
}

ShaftCatalogue::ShaftCatalogue(const std::filesystem::path& dataDir)
    : m_indexPath(dataDir / kIndexFile),
      m_table(std::make_unique<storage::TableStore>(dataDir / kTableFile)) {}

ShaftCatalogue::~ShaftCatalogue() = default;

const std::filesystem::path& ShaftCatalogue::tablePath() const {
    return m_table->path();
}

storage::Status ShaftCatalogue::open() {
    if (storage::Status s = m_table->open(); !s) return s;
    return m_table->selectIndex(m_indexPath);
}

storage::Result<bool> ShaftCatalogue::seek(const std::string& key) {
    if (storage::Status s = open(); !s) return s;
    return m_table->seek(key);
}

storage::Status ShaftCatalogue::readTexts(std::span<const TextField> fields, bool trimmed) {
    for (const auto& [name, target] : fields) {
        storage::Result<std::string> text = m_table->fieldText(name);
        if (!text) return text.status();
        if (trimmed) {
            target->assign(core::trimBlanks(*text));
        } else {
            *target = std::move(text).value();
        }
    }
    return storage::Status::ok();
}

storage::Status ShaftCatalogue::readSearchFields(ShaftRecord& record) {
    const TextField fields[] = {{"SIZE", &record.size},
                                {"SPINE", &record.spine},
                                {"HMODELS", &record.hmodels},
                                {"TMODELS", &record.tmodels},
                                {"GPI", &record.gpi}};
    return readTexts(fields, false);
}

storage::Result<const ShaftRecord*> ShaftCatalogue::find(const std::string& key) {
    if (const auto it = m_records.find(key); it != m_records.end()) return &it->second;
    const storage::Result<bool> found = seek(key);
    if (!found) return found.status();
    ShaftRecord record;
    record.found = *found;
    if (record.found) {
        if (storage::Status s = readSearchFields(record); !s) return s;
    }
    return &m_records.emplace(key, std::move(record)).first->second;
}

storage::Result<ShaftRecord> ShaftCatalogue::fullRecord(const std::string& key) {
    const storage::Result<bool> found = seek(key);
    if (!found) return found.status();
    // Past a key that matches nothing the table stands at its end, where
    // every field reads blank and every number 0: the same texts as found ==
    // false, read the same way.
    ShaftRecord record;
    record.found = *found;
    if (storage::Status s = readSearchFields(record); !s) return s;
    const TextField texts[] = {{"KEYSPINE", &record.keySpine}, {"ARROWTYPE", &record.arrowType},
                               {"LENGTH", &record.maxLength},  {"OD", &record.outside},
                               {"ID", &record.inside},         {"WALL", &record.wall}};
    if (storage::Status s = readTexts(texts, true); !s) return s;
    const std::pair<const char*, double*> numbers[] = {{"DEFPTWT", &record.defaultPoint},
                                                       {"DEFNOCKWT", &record.defaultNock},
                                                       {"DEFVANEWT", &record.defaultFletching},
                                                       {"DEFINSWT", &record.defaultInsert}};
    for (const auto& [name, target] : numbers) {
        storage::Result<double> value = m_table->fieldFloat(name);
        if (!value) return value.status();
        *target = *value;
    }
    return record;
}

}  // namespace quivra::catalogue
