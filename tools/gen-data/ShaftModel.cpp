#include "ShaftModel.h"

#include "Numbers.h"

#include <cmath>
#include <numbers>
#include <set>

namespace quivra::gendata {

namespace {

constexpr double kPi = std::numbers::pi;

std::string inches(double v) {
    return fixed(v, 3) + "\"";
}

bool need(const CsvTable& t, std::size_t row, const char* col, double& out, std::string& error,
          bool allowEmpty) {
    std::string text = t.value(row, col);
    if (text.empty() && allowEmpty) {
        out = 0;
        return true;
    }
    auto v = parseDouble(text);
    if (!v) {
        error = std::string("families.csv, record ") + std::to_string(row + 1) + ": " + col + " '" +
                text + "' is not a number";
        return false;
    }
    out = *v;
    return true;
}

}  // namespace

double SpecRecord::deflection() const {
    return parseDouble(spine).value_or(0.0);
}

double SpecRecord::firstGpi() const {
    if (twoValueGpi()) return parseDouble(gpi.substr(0, 4)).value_or(0.0);
    return parseDouble(gpi).value_or(0.0);
}

std::optional<AluminumTube> tubeOfSize(const std::string& size) {
    if (size.size() != 4 || size.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    AluminumTube t;
    t.outsideIn = std::stoi(size.substr(0, 2)) / 64.0;
    t.wallIn = std::stoi(size.substr(2, 2)) / 1000.0;
    if (t.wallIn <= 0 || t.insideIn() <= 0) return std::nullopt;
    return t;
}

double aluminumGpi(const AluminumTube& tube, const Family& alloy) {
    const double od = tube.outsideIn, id = tube.insideIn();
    const double areaIn2 = kPi / 4 * (od * od - id * id);
    const double alloyGrains =
        areaIn2 * shaft::kCubicCmPerCubicInch * alloy.density * shaft::kGrainsPerGram;
    const double filmIn2 = kPi * od * alloy.filmIn;
    const double filmGrains =
        filmIn2 * shaft::kCubicCmPerCubicInch * shaft::kFilmDensity * shaft::kGrainsPerGram;
    return alloyGrains + filmGrains;
}

double aluminumDeflection(const AluminumTube& tube, const Family& alloy) {
    const double od = tube.outsideIn, id = tube.insideIn();
    const double inertiaIn4 = kPi / 64 * (std::pow(od, 4) - std::pow(id, 4));
    const double modulusPsi = alloy.modulusGpa * shaft::kPsiPerGpa;
    // Centre load on a simply supported beam: d = F L^3 / (48 E I).
    return shaft::kSpineLoadLbf * std::pow(shaft::kSpineSpanIn, 3) / (48 * modulusPsi * inertiaIn4);
}

double carbonGpi(double spineNumber, const Family& family) {
    return family.gpi400 * std::pow(shaft::kCarbonReferenceSpine / spineNumber, family.gpiExponent);
}

double carbonOutside(double gpi, const Family& family) {
    const double areaIn2 =
        gpi / shaft::kGrainsPerGram / family.density / shaft::kCubicCmPerCubicInch;
    return std::sqrt(family.insideIn * family.insideIn + 4 * areaIn2 / kPi);
}

std::string gpiText(double gpi) {
    return gpi < 9.995 ? fixed(gpi, 2) : fixed(gpi, 1);
}

const Family* findFamily(const std::vector<Family>& families, const std::string& code) {
    for (const auto& f : families)
        if (f.code == code) return &f;
    return nullptr;
}

std::optional<std::vector<Family>> familiesFromCsv(const CsvTable& t, std::string& error) {
    std::vector<Family> out;
    for (std::size_t r = 0; r < t.rowCount(); ++r) {
        Family f;
        f.code = t.value(r, "CODE");
        const std::string kind = t.value(r, "KIND");
        if (kind == "aluminum") {
            f.kind = FamilyKind::Aluminum;
        } else if (kind == "carbon") {
            f.kind = FamilyKind::Carbon;
        } else if (kind == "name") {
            f.kind = FamilyKind::Name;
        } else {
            error =
                "families.csv, record " + std::to_string(r + 1) + ": unknown KIND '" + kind + "'";
            return std::nullopt;
        }
        f.name = t.value(r, "NAME");
        f.market = t.value(r, "MARKET");
        f.arrowType = t.value(r, "ARROWTYPE");
        f.meaning = t.value(r, "MEANING");
        const bool isName = f.kind == FamilyKind::Name;
        const bool isAl = f.kind == FamilyKind::Aluminum;
        const bool isCarbon = f.kind == FamilyKind::Carbon;
        double maxLen = 0, pt = 0, nock = 0, vane = 0, ins = 0;
        if (!need(t, r, "DENSITY", f.density, error, isName) ||
            !need(t, r, "MODULUS", f.modulusGpa, error, !isAl) ||
            !need(t, r, "FILM", f.filmIn, error, true) ||
            !need(t, r, "GPI400", f.gpi400, error, !isCarbon) ||
            !need(t, r, "GPIEXP", f.gpiExponent, error, !isCarbon) ||
            !need(t, r, "BORE", f.insideIn, error, !isCarbon) ||
            !need(t, r, "MAXLEN", maxLen, error, isName) ||
            !need(t, r, "PTWT", pt, error, isName) || !need(t, r, "NOCKWT", nock, error, isName) ||
            !need(t, r, "VANEWT", vane, error, isName) || !need(t, r, "INSWT", ins, error, isName))
            return std::nullopt;
        f.maxLength = static_cast<int>(maxLen);
        f.pointWt = static_cast<int>(pt);
        f.nockWt = static_cast<int>(nock);
        f.vaneWt = static_cast<int>(vane);
        f.insertWt = static_cast<int>(ins);
        if (f.code.empty() || (!isName && f.density <= 0)) {
            error = "families.csv, record " + std::to_string(r + 1) + ": code or density missing";
            return std::nullopt;
        }
        out.push_back(f);
    }
    return out;
}

std::optional<std::vector<ShaftEntry>> shaftsFromCsv(const CsvTable& t, std::string& error) {
    std::vector<ShaftEntry> out;
    for (std::size_t r = 0; r < t.rowCount(); ++r) {
        ShaftEntry s{t.value(r, "SIZE"),    t.value(r, "KEY"),     t.value(r, "FAMILY"),
                     t.value(r, "FAMILY2"), t.value(r, "HMODELS"), t.value(r, "TMODELS")};
        if (s.size.empty() || s.key.empty() || s.family.empty()) {
            error = "shafts.csv, record " + std::to_string(r + 1) + ": SIZE, KEY or FAMILY empty";
            return std::nullopt;
        }
        out.push_back(s);
    }
    return out;
}

std::optional<std::vector<SpecRecord>> buildCatalogue(const std::vector<Family>& families,
                                                      const std::vector<ShaftEntry>& shafts,
                                                      std::string& error) {
    std::vector<SpecRecord> out;
    std::set<std::string> keys;
    for (const auto& s : shafts) {
        const std::string where = "shafts.csv, " + s.size + s.key;
        const Family* f1 = findFamily(families, s.family);
        const Family* f2 = s.family2.empty() ? nullptr : findFamily(families, s.family2);
        if (!f1 || f1->kind == FamilyKind::Name || (!s.family2.empty() && !f2)) {
            error = where + ": unknown family";
            return std::nullopt;
        }
        if (f2 && (f2->kind != FamilyKind::Aluminum || f1->kind != FamilyKind::Aluminum)) {
            error = where + ": two-family entries must be aluminium";
            return std::nullopt;
        }
        const Family& defaults = f2 ? *f2 : *f1;
        SpecRecord rec;
        rec.size = s.size;
        rec.keySpine = s.key;
        rec.hmodels = s.hmodels;
        rec.tmodels = s.tmodels;
        rec.defPtWt = defaults.pointWt;
        rec.defNockWt = defaults.nockWt;
        rec.defVaneWt = defaults.vaneWt;
        rec.defInsWt = defaults.insertWt;
        rec.arrowType = defaults.arrowType;
        rec.length = integerText(defaults.maxLength) + "\"";
        if (f1->kind == FamilyKind::Aluminum) {
            auto tube = tubeOfSize(s.size);
            if (!tube) {
                error = where + ": an aluminium size has four digits and leaves a bore";
                return std::nullopt;
            }
            rec.spine = fixed(aluminumDeflection(*tube, *f1), 3);
            rec.gpi = gpiText(aluminumGpi(*tube, *f1));
            if (f2) rec.gpi += "," + gpiText(aluminumGpi(*tube, *f2));
            rec.od = inches(tube->outsideIn);
            rec.id = inches(tube->insideIn());
            rec.wall = inches(tube->wallIn);
        } else {
            auto spineNumber = parseDouble(s.size);
            if (!spineNumber || *spineNumber < 100 || *spineNumber > 3000) {
                error = where + ": a carbon size is its spine number (100 to 3000)";
                return std::nullopt;
            }
            const double gpi = carbonGpi(*spineNumber, *f1);
            const double od = carbonOutside(gpi, *f1);
            rec.spine = fixed(*spineNumber / 1000.0, 3);
            rec.gpi = gpiText(gpi);
            rec.od = inches(od);
            rec.id = inches(f1->insideIn);
            rec.wall = inches((od - f1->insideIn) / 2);
        }
        if (!keys.insert(rec.key()).second) {
            error = where + ": duplicate specification key";
            return std::nullopt;
        }
        out.push_back(rec);
    }
    return out;
}

const std::vector<std::string>& specColumns() {
    static const std::vector<std::string> cols = {
        "SIZE",      "KEYSPINE", "SPINE",     "HMODELS", "TMODELS", "GPI",  "DEFPTWT", "DEFNOCKWT",
        "DEFVANEWT", "DEFINSWT", "ARROWTYPE", "OD",      "ID",      "WALL", "LENGTH"};
    return cols;
}

CsvTable catalogueToCsv(const std::vector<SpecRecord>& records) {
    CsvTable t(specColumns());
    for (const auto& r : records) {
        t.addRow({r.size, r.keySpine, r.spine, r.hmodels, r.tmodels, r.gpi, integerText(r.defPtWt),
                  integerText(r.defNockWt), integerText(r.defVaneWt), integerText(r.defInsWt),
                  r.arrowType, r.od, r.id, r.wall, r.length});
    }
    return t;
}

std::optional<std::vector<SpecRecord>> catalogueFromCsv(const CsvTable& t, std::string& error) {
    for (const auto& c : specColumns()) {
        if (t.column(c) < 0) {
            error = "specs.csv: column " + c + " missing";
            return std::nullopt;
        }
    }
    std::vector<SpecRecord> out;
    std::set<std::string> keys;
    for (std::size_t r = 0; r < t.rowCount(); ++r) {
        SpecRecord s;
        s.size = t.value(r, "SIZE");
        s.keySpine = t.value(r, "KEYSPINE");
        s.spine = t.value(r, "SPINE");
        s.hmodels = t.value(r, "HMODELS");
        s.tmodels = t.value(r, "TMODELS");
        s.gpi = t.value(r, "GPI");
        s.arrowType = t.value(r, "ARROWTYPE");
        s.od = t.value(r, "OD");
        s.id = t.value(r, "ID");
        s.wall = t.value(r, "WALL");
        s.length = t.value(r, "LENGTH");
        auto pt = parseInteger(t.value(r, "DEFPTWT"));
        auto nock = parseInteger(t.value(r, "DEFNOCKWT"));
        auto vane = parseInteger(t.value(r, "DEFVANEWT"));
        auto ins = parseInteger(t.value(r, "DEFINSWT"));
        const std::string where = "specs.csv, record " + std::to_string(r + 1);
        if (!pt || !nock || !vane || !ins) {
            error = where + ": a default weight is not a whole number";
            return std::nullopt;
        }
        s.defPtWt = static_cast<int>(*pt);
        s.defNockWt = static_cast<int>(*nock);
        s.defVaneWt = static_cast<int>(*vane);
        s.defInsWt = static_cast<int>(*ins);
        if (s.size.empty() || s.keySpine.empty() || s.deflection() <= 0 || s.firstGpi() <= 0) {
            error = where + ": SIZE, KEYSPINE, SPINE or GPI missing or not a number";
            return std::nullopt;
        }
        if (!keys.insert(s.key()).second) {
            error = where + ": duplicate key " + s.key();
            return std::nullopt;
        }
        out.push_back(s);
    }
    return out;
}

}  // namespace quivra::gendata
