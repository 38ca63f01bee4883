#include "CustomerHistory.h"

#include "DateText.h"
#include "SetupHeader.h"

#include <algorithm>
#include <cctype>

namespace quivra::customers {

using storage::Result;
using storage::Status;

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

std::string trimmedName(std::string name) {
    const auto last = name.find_last_not_of(' ');
    name.erase(last == std::string::npos ? 0 : last + 1);
    return name;
}

bool newerFirst(const HistoryItem& a, const HistoryItem& b) {
    if (a.date.has_value() != b.date.has_value()) return a.date.has_value();
    if (a.date && *a.date != *b.date) return *a.date > *b.date;
    return a.recNo > b.recNo;
}

}  // namespace

bool sameCustomer(const CustomerAddress& a, const CustomerAddress& b) {
    return trimmedName(a.name) == trimmedName(b.name) && agree(a.addr1, b.addr1) &&
           agree(a.city, b.city) && agree(a.state, b.state) && agreeWhereGiven(a.addr2, b.addr2) &&
           agreeWhereGiven(a.zip, b.zip);
}

Result<std::vector<HistoryItem>> customerHistory(SavedSetupStore& setups, BuildStore& builds,
                                                 const CustomerAddress& customer) {
    std::vector<HistoryItem> entries;
    const std::string name = trimmedName(customer.name);
    if (name.empty()) return entries;
    auto found = setups.seekName(name);
    if (!found) return found.status();
    // Records of one name stand together in name order, the exact name
    // before longer ones that begin with it.
    while (*found && !setups.atEnd()) {
        auto record = setups.current();
        if (!record) return record.status();
        if (trimmedName(record->address.name) != name) break;
        if (sameCustomer(record->address, customer)) {
            HistoryItem e;
            e.recNo = setups.recNo();
            e.setup = std::move(record).value();
            e.date = parseStoredDate(e.setup.date);
            e.signature = setupSignature(e.setup);
            entries.push_back(std::move(e));
        }
        if (Status s = setups.next(); !s) return s;
    }
    for (HistoryItem& e : entries) {
        auto build = builds.findFor(e.recNo, e.signature);
        if (!build) return build.status();
        e.build = std::move(build).value();
    }
    std::sort(entries.begin(), entries.end(), newerFirst);
    return entries;
}

std::string shaftText(const SavedBuild& build) {
    std::string text = build.size.empty() ? build.shaftKey : build.size;
    if (!build.models.empty()) text += (text.empty() ? "" : " ") + build.models;
    return text;
}

HistoryRow historyRow(const HistoryItem& entry) {
    const HeaderTexts header = recordHeader(entry.setup.codes);
    return {entry.setup.date, header.category, header.bowWeight, header.arrowLength,
            entry.build ? shaftText(entry.build->build) : std::string("(no build)")};
}

CustomerBuild customerBuild(const HistoryItem& entry) {
    return {entry.setup.address, entry.setup.date, entry.setup.codes,
            entry.build ? entry.build->build : SavedBuild{}};
}

}  // namespace quivra::customers
