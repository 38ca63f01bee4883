// How the four pages read chart entries: the specification keys a row can
// be sought with, slot by slot, for every layout the row can take.

#include "ChartRule.h"
#include "Numbers.h"

namespace quivra::gendata {

namespace {

std::string trimmedText(const std::string& s) {
    return std::string(trimmed(s));
}

// Hunting slots 2 to 6: the first blank of the padded field and the 14
// characters after it are deleted.
std::string cutAtFirstBlank(const std::string& size) {
    std::string padded = size;
    if (padded.size() < static_cast<std::size_t>(kChartSizeWidth))
        padded.resize(kChartSizeWidth, ' ');
    const auto blank = padded.find(' ');
    if (blank == std::string::npos) return padded;
    padded.erase(blank, 15);
    return padded;
}

}  // namespace

std::string compoundPart(const std::string& size) {
    const auto star = size.find('*');
    if (star == std::string::npos) return size;
    std::string out = size;
    out.erase(star, 15);
    return out;
}

std::string recurvePart(const std::string& size) {
    const auto star = size.find('*');
    return star == std::string::npos ? std::string() : size.substr(star + 1);
}

std::vector<SeekKey> seekKeys(const Chart& chart, int row) {
    std::vector<SeekKey> out;
    if (row < 1 || row > static_cast<int>(chart.rows.size())) return out;
    const auto& e = chart.rows[static_cast<std::size_t>(row - 1)];
    auto entry = [&e](int n) -> const ChartEntry& { return e[static_cast<std::size_t>(n - 1)]; };
    const std::string rowText = "row " + std::to_string(row);
    switch (chart.kind) {
        case ChartKind::Hunt:
            for (int n = 1; n <= 16; ++n) {
                const ChartEntry& ce = entry(n);
                if (trimmedText(ce.size).empty()) continue;
                if (n >= 3 && n <= 10 && trimmedText(ce.key) == "caw") continue;
                const bool cut = n >= 2 && n <= 6;
                const std::string s = cut ? cutAtFirstBlank(ce.size) : trimmedText(ce.size);
                out.push_back({s + trimmedText(ce.key),
                               "Hunting " + rowText + " slot " + std::to_string(n), n > 4, false});
            }
            break;
        case ChartKind::Targ: {
            // Every layout the row can take, with the entry each slot reads.
            struct Layout {
                const char* name;
                bool applies;
                std::vector<std::pair<int, char>> slots;  // entry, 'c'/'r'/'w' (whole)
            };
            const bool shortRows = row >= 8 && row <= 14;
            std::vector<Layout> layouts;
            Layout cn{"compound", row != 15 && row != 16, {}};
            for (int n = 1; n <= 14; ++n) cn.slots.emplace_back(n, n <= 5 ? 'c' : 'w');
            Layout cs{"compound short", shortRows, {{5, 'c'}}};
            Layout rs{"recurve short", shortRows, {{5, 'r'}}};
            for (int n = 6; n <= 14; ++n) {
                cs.slots.emplace_back(n, 'w');
                rs.slots.emplace_back(n, 'w');
            }
            Layout c15{"compound row 15", row == 15, {{1, 'c'}}};
            for (int n = 3; n <= 13; ++n) c15.slots.emplace_back(n, 'w');
            Layout c16{"compound row 16", row == 16, {}};
            for (int n = 2; n <= 12; ++n) c16.slots.emplace_back(n, 'w');
            Layout rn{"recurve", true, {}};
            for (int n = 1; n <= 14; ++n) rn.slots.emplace_back(n, n <= 4 ? 'R' : 'w');
            layouts = {cn, cs, rs, c15, c16, rn};
            for (const auto& l : layouts) {
                if (!l.applies) continue;
                for (std::size_t i = 0; i < l.slots.size(); ++i) {
                    const auto [n, how] = l.slots[i];
                    const std::string size = trimmedText(entry(n).size);
                    std::string s;
                    if (how == 'c')
                        s = compoundPart(size);
                    else if (how == 'r')
                        s = recurvePart(size);
                    else if (how == 'R')
                        s = size.find('*') != std::string::npos ? recurvePart(size) : size;
                    else
                        s = size;
                    if (s.empty()) continue;
                    const int slot = static_cast<int>(i) + 1;
                    out.push_back({s + trimmedText(entry(n).key),
                                   "Target " + rowText + " " + l.name + " slot " +
                                       std::to_string(slot) + " (entry " + std::to_string(n) + ")",
                                   slot <= 6, true});
                }
            }
            break;
        }
        case ChartKind::Youth:
        case ChartKind::Kstr: {
            const bool youth = chart.kind == ChartKind::Youth;
            for (int n = 1; n <= static_cast<int>(e.size()); ++n) {
                const ChartEntry& ce = entry(n);
                const std::string presence = youth ? ce.size : ce.key;
                if (trimmedText(presence).empty()) continue;
                out.push_back({trimmedText(ce.size) + trimmedText(ce.key),
                               std::string(youth ? "Youth " : "Kestra ") + rowText + " slot " +
                                   std::to_string(n),
                               true, youth});
            }
            break;
        }
    }
    return out;
}

}  // namespace quivra::gendata
