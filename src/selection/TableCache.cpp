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
    texts.fields.reserve(2 * static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n) {
        for (const std::string* name : {&chart::sizeField(n), &keyField(page, n)}) {
            storage::Result<std::string> text = table.fieldText(*name);
            if (!text) return text.status();
            texts.fields.push_back(std::move(text).value());
        }
    }
    return &rows.emplace(row, std::move(texts)).first->second;
}

}  // namespace quivra::selection
