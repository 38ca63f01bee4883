#include "ChartRule.h"

#include "Numbers.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace quivra::gendata {

namespace {

const ChartShape kShapes[] = {
    {ChartKind::Hunt, "huntchrt.csv", "HUNTCHRT.DBF", "SPINE", 16, 20, 2, 20},
    {ChartKind::Targ, "targchrt.csv", "Targchrt.dbf", "SPINE", 14, 19, 2, 19},
    {ChartKind::Youth, "youthchrt.csv", "YouthChrt.dbf", "MODL", 8, 10, 1, 10},
    {ChartKind::Kstr, "kstrchrt.csv", "KSTRCHRT.dbf", "MODEL", 6, 19, 9, 19},
};

// The shafts of one family in stiffness order, weakest first.
class FamilyLadder {
public:
    FamilyLadder(const std::vector<SpecRecord>& catalogue, const std::string& key) {
        for (const auto& r : catalogue)
            if (r.keySpine == key && !r.isPairAlias()) m_shafts.push_back(&r);
        std::stable_sort(m_shafts.begin(), m_shafts.end(),
                         [](const SpecRecord* a, const SpecRecord* b) {
                             return a->deflection() > b->deflection();
                         });
    }
    // The shaft `offset` steps stiffer (negative: weaker) than the one nearest
    // to the demand, or null when there is none within the tolerance.
    [[nodiscard]] const SpecRecord* pick(double demand, int offset) const {
        if (m_shafts.empty()) return nullptr;
        std::size_t best = 0;
        double bestDist = 1e9;
        for (std::size_t i = 0; i < m_shafts.size(); ++i) {
            const double d = std::fabs(std::log(m_shafts[i]->deflection() / demand));
            if (d < bestDist) {
                bestDist = d;
                best = i;
            }
        }
        const long idx = static_cast<long>(best) + offset;
        if (idx < 0 || idx >= static_cast<long>(m_shafts.size())) return nullptr;
        const SpecRecord* r = m_shafts[static_cast<std::size_t>(idx)];
        if (std::fabs(std::log(r->deflection() / demand)) > std::log(kTolerance)) return nullptr;
        return r;
    }

private:
    std::vector<const SpecRecord*> m_shafts;
};

ChartEntry entryOf(const SpecRecord* r) {
    return r ? ChartEntry{r->size, r->keySpine} : ChartEntry{};
}

ChartEntry pairEntry(const FamilyLadder& ladder, double compoundDemand, double recurveDemand,
                     int compoundOffset, int recurveOffset) {
    const SpecRecord* c = ladder.pick(compoundDemand, compoundOffset);
    const SpecRecord* r = ladder.pick(recurveDemand, recurveOffset);
    if (!c || !r) return {};
    // When both demands pick the same shaft the recurve bow is offered the
    // next weaker one, if it is still close enough to its demand.
    if (c->size == r->size) r = ladder.pick(recurveDemand, recurveOffset - 1);
    if (!r) return entryOf(c);
    return {c->size + "*" + r->size, c->keySpine};
}

// Carbon pointer of the Hunting chart: the spine number nearest the demand
// among the hunting carbon shafts, `offset` steps stiffer.
ChartEntry carbonPointer(const std::vector<SpecRecord>& catalogue, double demand, int offset) {
    std::set<int> spines;
    for (const auto& r : catalogue)
        if (r.keySpine == "CH" || r.keySpine == "CL" || r.keySpine == "CX")
            spines.insert(static_cast<int>(std::lround(r.deflection() * 1000)));
    std::vector<int> ladder(spines.rbegin(), spines.rend());  // weakest first
    if (ladder.empty()) return {};
    std::size_t best = 0;
    double bestDist = 1e9;
    for (std::size_t i = 0; i < ladder.size(); ++i) {
        const double d = std::fabs(std::log(ladder[i] / 1000.0 / demand));
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    const long idx = static_cast<long>(best) + offset;
    if (idx < 0 || idx >= static_cast<long>(ladder.size())) return {};
    const int spine = ladder[static_cast<std::size_t>(idx)];
    if (std::fabs(std::log(spine / 1000.0 / demand)) > std::log(kTolerance)) return {};
    return {integerText(spine), "caw"};
}

ChartEntry carbonAt(const std::vector<SpecRecord>& catalogue, const ChartEntry& pointer,
                    const std::string& family) {
    if (pointer.empty()) return {};
    for (const auto& r : catalogue)
        if (r.size == pointer.size && r.keySpine == family) return entryOf(&r);
    return {};
}

std::vector<ChartEntry> huntRow(const std::vector<SpecRecord>& cat, double s) {
    const FamilyLadder al(cat, "M4"), xt(cat, "XT"), ca(cat, "CA");
    const ChartEntry primary = carbonPointer(cat, s, 0);
    const ChartEntry stiffer = carbonPointer(cat, s, 1);
    return {
        entryOf(al.pick(s, 0)),       entryOf(al.pick(s, 1)),       primary,
        entryOf(al.pick(s, -1)),      entryOf(xt.pick(s, 0)),       entryOf(xt.pick(s, 1)),
        entryOf(ca.pick(s, 0)),       entryOf(ca.pick(s, 1)),       stiffer,
        entryOf(ca.pick(s, -1)),      carbonAt(cat, primary, "CH"), carbonAt(cat, primary, "CL"),
        carbonAt(cat, primary, "CX"), carbonAt(cat, stiffer, "CH"), carbonAt(cat, stiffer, "CL"),
        carbonAt(cat, stiffer, "CX")};
}

// A pair whose two halves collapse to one size, or a row-15/16 single, can
// repeat an entry listed earlier in the row; a shop would see the same shaft
// twice.  The later entry is left empty instead: a substitute from further
// along the family's ladder would break the rule that every entry only ever
// grows stiffer from row to row.
std::vector<ChartEntry> withoutRepeats(std::vector<ChartEntry> e) {
    for (std::size_t j = 1; j < e.size(); ++j) {
        for (std::size_t i = 0; i < j && !e[j].empty(); ++i)
            if (e[i].size == e[j].size && e[i].key == e[j].key) e[j] = {};
    }
    return e;
}

std::vector<ChartEntry> targRow(const std::vector<SpecRecord>& cat, int row, double c) {
    const double r = c * kRecurveFactor;
    const FamilyLadder tp(cat, "TP"), ta(cat, "TA"), tc(cat, "TC"), zp(cat, "M4");
    std::vector<ChartEntry> e = {
        pairEntry(tp, c, r, 0, 0), pairEntry(tp, c, r, 1, 1), pairEntry(tp, c, r, -1, -1),
        pairEntry(ta, c, r, 0, 0), pairEntry(tc, c, r, 0, 0), entryOf(tc.pick(c, 0)),
        entryOf(tc.pick(c, 1)),    entryOf(tc.pick(c, -1)),   entryOf(ta.pick(c, 0)),
        entryOf(ta.pick(c, 1)),    entryOf(zp.pick(c, 0)),    entryOf(zp.pick(c, 1)),
        entryOf(zp.pick(c, -1)),   entryOf(zp.pick(c, 2))};
    // A compound bow on rows 15 and 16 reads entries 3 to 13 (row 15) or 2 to
    // 12 (row 16) whole, so those rows hold single sizes there; the entry a
    // compound bow skips carries a recurve-only size.
    if (row == 15) {
        e[1] = entryOf(tp.pick(r, 1));
        e[2] = entryOf(tp.pick(c, 1));
        e[3] = entryOf(tp.pick(c, -1));
        e[4] = entryOf(tc.pick(c, 0));
    } else if (row == 16) {
        e[0] = entryOf(tp.pick(r, 0));
        e[1] = entryOf(tp.pick(c, 0));
        e[2] = entryOf(tp.pick(c, 1));
        e[3] = entryOf(tp.pick(c, -1));
        e[4] = entryOf(tc.pick(c, 0));
    }
    return withoutRepeats(std::move(e));
}

std::vector<ChartEntry> youthRow(const std::vector<SpecRecord>& cat, double s) {
    const FamilyLadder ya(cat, "YA"), yc(cat, "YC"), tp(cat, "TP"), tc(cat, "TC");
    return {entryOf(ya.pick(s, 0)), entryOf(ya.pick(s, 1)), entryOf(ya.pick(s, -1)),
            entryOf(yc.pick(s, 0)), entryOf(yc.pick(s, 1)), entryOf(yc.pick(s, -1)),
            entryOf(tp.pick(s, 0)), entryOf(tc.pick(s, 0))};
}

std::vector<ChartEntry> kstrRow(const std::vector<SpecRecord>& cat, double s) {
    const FamilyLadder ka(cat, "KA"), kc(cat, "KC"), kh(cat, "KH");
    return {entryOf(ka.pick(s, 0)), entryOf(ka.pick(s, 1)), entryOf(kc.pick(s, 0)),
            entryOf(kc.pick(s, 1)), entryOf(kh.pick(s, 0)), entryOf(kh.pick(s, 1))};
}

}  // namespace

const ChartShape& chartShape(ChartKind kind) {
    for (const auto& s : kShapes)
        if (s.kind == kind) return s;
    return kShapes[0];
}

const std::vector<ChartKind>& allCharts() {
    static const std::vector<ChartKind> all = {ChartKind::Hunt, ChartKind::Targ, ChartKind::Youth,
                                               ChartKind::Kstr};
    return all;
}

selection::Page chartPage(ChartKind kind) {
    switch (kind) {
        case ChartKind::Hunt:
            return selection::Page::Hunt;
        case ChartKind::Targ:
            return selection::Page::Targ;
        case ChartKind::Youth:
            return selection::Page::Youth;
        case ChartKind::Kstr:
            return selection::Page::Kstr;
    }
    return selection::Page::Hunt;
}

Chart buildChart(ChartKind kind, const std::vector<SpecRecord>& catalogue) {
    const ChartShape& shape = chartShape(kind);
    const DemandCurve curve = calculators::demandCurve(chartPage(kind));
    Chart chart;
    chart.kind = kind;
    for (int row = 1; row <= shape.records; ++row) {
        const double s = curve.at(row);
        std::vector<ChartEntry> e;
        switch (kind) {
            case ChartKind::Hunt:
                e = huntRow(catalogue, s);
                break;
            case ChartKind::Targ:
                e = targRow(catalogue, row, s);
                break;
            case ChartKind::Youth:
                e = youthRow(catalogue, s);
                break;
            case ChartKind::Kstr:
                // Only the valid rows are filled: the page never reads the
                // others except right after opening, when an empty row is
                // the honest answer.
                if (row >= shape.firstValid && row <= shape.lastValid) e = kstrRow(catalogue, s);
                break;
        }
        e.resize(static_cast<std::size_t>(shape.entries));
        chart.rows.push_back(e);
    }
    return chart;
}

std::vector<SpecRecord> pairAliases(const Chart& targ, const std::vector<SpecRecord>& catalogue) {
    std::vector<SpecRecord> out;
    std::set<std::string> done;
    for (const auto& row : targ.rows) {
        if (row.size() < 5) continue;
        const ChartEntry& e = row[4];
        if (e.size.find('*') == std::string::npos || !done.insert(e.size + e.key).second) continue;
        const std::string recurve = recurvePart(e.size);
        for (const auto& r : catalogue) {
            if (r.size == recurve && r.keySpine == e.key) {
                SpecRecord alias = r;
                alias.size = e.size;
                out.push_back(alias);
                break;
            }
        }
    }
    return out;
}

CsvTable chartToCsv(const Chart& chart) {
    const ChartShape& shape = chartShape(chart.kind);
    std::vector<std::string> header = {"ROW"};
    for (int n = 1; n <= shape.entries; ++n) {
        header.push_back("SH" + std::to_string(n) + "SIZE");
        header.push_back("SH" + std::to_string(n) + shape.keyField);
    }
    CsvTable t(header);
    for (std::size_t r = 0; r < chart.rows.size(); ++r) {
        std::vector<std::string> line = {std::to_string(r + 1)};
        for (const auto& e : chart.rows[r]) {
            line.push_back(e.size);
            line.push_back(e.key);
        }
        t.addRow(line);
    }
    return t;
}

std::optional<Chart> chartFromCsv(ChartKind kind, const CsvTable& table, std::string& error) {
    const ChartShape& shape = chartShape(kind);
    Chart chart;
    chart.kind = kind;
    for (std::size_t r = 0; r < table.rowCount(); ++r) {
        const std::string where = std::string(shape.csvName) + ", record " + std::to_string(r + 1);
        if (table.value(r, "ROW") != std::to_string(r + 1)) {
            error = where + ": ROW must count 1, 2, 3 ... in order";
            return std::nullopt;
        }
        std::vector<ChartEntry> row;
        for (int n = 1; n <= shape.entries; ++n) {
            const std::string sizeCol = "SH" + std::to_string(n) + "SIZE";
            const std::string keyCol = "SH" + std::to_string(n) + shape.keyField;
            if (table.column(sizeCol) < 0 || table.column(keyCol) < 0) {
                error = std::string(shape.csvName) + ": column " + sizeCol + " or " + keyCol +
                        " missing";
                return std::nullopt;
            }
            ChartEntry e{table.value(r, sizeCol), table.value(r, keyCol)};
            if (e.size.size() > static_cast<std::size_t>(kChartSizeWidth) ||
                e.key.size() > static_cast<std::size_t>(kChartKeyWidth)) {
                error = where + ": " + sizeCol + " is at most 15 characters and " + keyCol +
                        " at most 10";
                return std::nullopt;
            }
            row.push_back(e);
        }
        chart.rows.push_back(row);
    }
    if (chart.rows.size() < static_cast<std::size_t>(shape.lastValid)) {
        error = std::string(shape.csvName) + ": fewer records than the last valid row " +
                std::to_string(shape.lastValid);
        return std::nullopt;
    }
    return chart;
}

}  // namespace quivra::gendata
