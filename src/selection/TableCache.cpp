#include "TableCache.h"

#include "ChartFields.h"
#include "TableStore.h"

namespace quivra::selection {

namespace {
const std::string& keyField(Page page, int n) {
    switch (page) {
        case Page::Youth:
            return chart::modlField(n);
        case Page::Kstr:
            return chart::modelField(n);
        default:
            return chart::spineField(n);
    }
}
}  // namespace

storage::Result<const ChartRowTexts*> TableCache::chartRow(storage::TableStore& table, Page page,
                                                           int row, int count) {
    auto& rows = m_rows[static_cast<std::size_t>(page)];
    if (const auto it = rows.find(row); it != rows.end()) return &it->second;
    ChartRowTexts texts;
    texts.fields.reserve(static_cast<std::size_t>(2 * count));
    for (int n = 1; n <= count; ++n) {
        for (const std::string* name : {&chart::sizeField(n), &keyField(page, n)}) {
            storage::Result<std::string> text = table.fieldText(*name);
            if (!text) return text.status();
            texts.fields.push_back(std::move(text).value());
        }
    }
    return &rows.emplace(row, std::move(texts)).first->second;
}

storage::Result<const SpecTexts*> TableCache::spec(storage::TableStore& specs,
                                                   const std::string& key) {
    if (const auto it = m_specs.find(key); it != m_specs.end()) return &it->second;
    const storage::Result<bool> found = specs.seek(key);
    if (!found) return found.status();
    SpecTexts texts;
    texts.found = *found;
    if (texts.found) {
        const std::pair<const char*, std::string*> fields[] = {{"SPINE", &texts.spine},
                                                               {"HMODELS", &texts.hmodels},
                                                               {"TMODELS", &texts.tmodels},
                                                               {"GPI", &texts.gpi}};
        for (const auto& [name, target] : fields) {
            storage::Result<std::string> text = specs.fieldText(name);
            if (!text) return text.status();
            *target = std::move(text).value();
        }
    }
    return &m_specs.emplace(key, std::move(texts)).first->second;
}

}  // namespace quivra::selection
