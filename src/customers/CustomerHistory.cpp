#include "CustomerHistory.h"

#include "DateText.h"
#include "SetupHeader.h"
#include "StorableText.h"

#include <algorithm>
#include <cctype>

namespace quivra::customers {

namespace {

// Upper case (ASCII), no blanks at the ends, one blank for every run.
std::string folded(const std::string& text) {
    std::string out;
    bool blank = false;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            blank = !out.empty();
            continue;
        }
        if (blank) out.push_back(' ');
        blank = false;
        out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    }
    return out;
}

bool agree(const std::string& a, const std::string& b) {
    return folded(a) == folded(b);
}

// Agree, or one of the two is left out.
bool agreeWhereGiven(const std::string& a, const std::string& b) {
    const std::string fa = folded(a);
    const std::string fb = folded(b);
    return fa.empty() || fb.empty() || fa == fb;
}

}  // namespace

std::string customerName(std::string name) {
    return withoutTrailingBlanks(std::move(name));
}

bool sameCustomer(const CustomerAddress& a, const CustomerAddress& b) {
    return customerName(a.name) == customerName(b.name) && agree(a.addr1, b.addr1) &&
           agree(a.city, b.city) && agree(a.state, b.state) && agreeWhereGiven(a.addr2, b.addr2) &&
           agreeWhereGiven(a.zip, b.zip);
}

void sortNewestFirst(std::vector<HistoryEntry>& entries) {
    struct Dated {
        std::optional<std::chrono::year_month_day> date;
        HistoryEntry* entry;
    };
    std::vector<Dated> dated;
    dated.reserve(entries.size());
    for (HistoryEntry& e : entries) dated.push_back({parseStoredDate(e.setup.date), &e});
    // Stable: one day's set-ups, and those without a readable date, keep
    // the saving order they came in.
    std::stable_sort(dated.begin(), dated.end(), [](const Dated& a, const Dated& b) {
        if (a.date.has_value() != b.date.has_value()) return a.date.has_value();
        return a.date && *a.date > *b.date;
    });
    std::vector<HistoryEntry> sorted;
    sorted.reserve(entries.size());
    for (const Dated& d : dated) sorted.push_back(std::move(*d.entry));
    entries = std::move(sorted);
}

std::string shaftText(const SavedBuild& build) {
    std::string text = build.size.empty() ? build.shaftKey : build.size;
    if (!build.models.empty()) text += (text.empty() ? "" : " ") + build.models;
    return text;
}

HistoryRow historyRow(const HistoryEntry& entry) {
    const HeaderTexts header = recordHeader(entry.setup.codes);
    return {entry.setup.date, header.category, header.bowWeight, header.arrowLength,
            entry.build ? shaftText(*entry.build) : std::string("(no build)")};
}

CustomerBuild customerBuild(const HistoryEntry& entry) {
    return {entry.setup.address, entry.setup.date, entry.setup.codes,
            entry.build.value_or(SavedBuild{})};
}

}  // namespace quivra::customers
