#include "BuildStore.h"

#include "CustomerFiles.h"
#include "DateText.h"
#include "NumberText.h"
#include "OwnTables.h"
#include "StorableText.h"
#include "TextExport.h"

#include <cstdio>
#include <variant>

namespace quivra::customers {

using storage::FieldSpec;
using storage::Result;
using storage::Status;

namespace {

constexpr const char* kKeyExpression = "SETUPKEY";
constexpr std::size_t kSetupKeyWidth = 10;

FieldSpec text(const char* name, int width) {
    return {name, 'C', static_cast<std::uint8_t>(width), 0};
}
FieldSpec number(const char* name, int width, int decimals) {
    return {name, 'N', static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(decimals)};
}

std::string setupKey(std::uint32_t recNo) {
    std::string digits = std::to_string(recNo);
    return std::string(kSetupKeyWidth - std::min(kSetupKeyWidth, digits.size()), '0') + digits;
}

// The text a member is stored as.
std::string storedText(const SavedBuild& build, const BuildMember& member) {
    struct Visit {
        const SavedBuild& b;
        std::string operator()(std::string SavedBuild::*m) const { return b.*m; }
        std::string operator()(double SavedBuild::*m) const { return core::decimalText(b.*m); }
        std::string operator()(std::optional<double> SavedBuild::*m) const {
            return (b.*m) ? core::decimalText(*(b.*m)) : std::string();
        }
        std::string operator()(int SavedBuild::*m) const { return std::to_string(b.*m); }
    };
    return std::visit(Visit{build}, member);
}

// Puts a stored text into a member; false for a number field holding no number.
bool readText(SavedBuild& build, const BuildMember& member, const std::string& value) {
    struct Visit {
        SavedBuild& b;
        const std::string& v;
        bool operator()(std::string SavedBuild::*m) const {
            b.*m = v;
            return true;
        }
        bool operator()(double SavedBuild::*m) const {
            const auto d = v.empty() ? std::optional<double>(0.0) : core::parseDecimal(v);
            if (d) b.*m = *d;
            return d.has_value();
        }
        bool operator()(std::optional<double> SavedBuild::*m) const {
            if (v.empty()) {
                b.*m = std::nullopt;
                return true;
            }
            b.*m = core::parseDecimal(v);
            return (b.*m).has_value();
        }
        bool operator()(int SavedBuild::*m) const {
            const auto i = v.empty() ? std::optional<std::int32_t>(0) : core::parseInteger(v);
            if (i) b.*m = *i;
            return i.has_value();
        }
    };
    return std::visit(Visit{build, value}, member);
}

}  // namespace

const std::vector<BuildField>& buildFields() {
    static const std::vector<BuildField> fields{
        {text("SAVEDAT", 14), "saved_at", &SavedBuild::savedAt},
        {text("SHAFTKEY", 20), "shaft_key", &SavedBuild::shaftKey},
        {text("SIZE", 20), "shaft_size", &SavedBuild::size},
        {text("MODELS", 30), "models", &SavedBuild::models},
        {number("SPINE", 6, 3), "spine_in", &SavedBuild::spineIn},
        {number("GPI", 7, 2), "grains_per_inch", &SavedBuild::grainsPerInch},
        {number("LENGTH", 7, 3), "shaft_length_in", &SavedBuild::lengthIn},
        {number("POINTWT", 8, 2), "point_gr", &SavedBuild::pointGr},
        {number("INSERTWT", 8, 2), "insert_gr", &SavedBuild::insertGr},
        {number("NOCKWT", 8, 2), "nock_gr", &SavedBuild::nockGr},
        {number("FLETCHWT", 8, 2), "fletching_gr", &SavedBuild::fletchingGr},
        {number("QUANTITY", 4, 0), "quantity", &SavedBuild::quantity},
        {number("TOTALWT", 8, 2), "total_gr", &SavedBuild::totalGr},
        {number("FOC", 6, 2), "foc_percent", &SavedBuild::focPercent},
        {number("SPEED", 6, 1), "speed_fps", &SavedBuild::speedFps},
        {text("SPINECHK", 30), "spine_check", &SavedBuild::spineCheck},
        {text("BOWTYPE", 8), "bow_type", &SavedBuild::bowType},
        {number("RATING", 6, 1), "rating_fps", &SavedBuild::ratingFps},
        {text("STANDARD", 3), "rating_standard", &SavedBuild::ratingStandard},
        {number("DRAWWT", 6, 2), "draw_weight_lb", &SavedBuild::drawWeightLb},
        {number("DRAWLEN", 6, 2), "draw_length_in", &SavedBuild::drawLengthIn},
        {number("BRACE", 6, 2), "brace_height_in", &SavedBuild::braceHeightIn},
        {number("STRINGWT", 7, 2), "string_accessories_gr", &SavedBuild::stringAccessoriesGr},
        {number("BALANCE", 7, 3), "balance_in", &SavedBuild::balanceIn},
        {number("SIGHTRAD", 6, 2), "sight_radius_in", &SavedBuild::sightRadiusIn},
        {text("CHART", 5), "chart_page", &SavedBuild::chartPage},
        {number("RELEASE", 1, 0), "release_type", &SavedBuild::releaseType},
        {number("CAM", 1, 0), "cam_type", &SavedBuild::camType},
        {number("OVERDRAW", 1, 0), "over_draw", &SavedBuild::overDraw},
        {text("NOTES", kBuildNotesWidth), "notes", &SavedBuild::notes},
    };
    return fields;
}

std::string setupSignature(const SavedSetup& setup) {
    // FNV-1a over the fields, each ended by a unit separator so that moving
    // a character from one field to the next changes the signature.
    std::uint32_t h = 2166136261U;
    const SetupCodes& c = setup.codes;
    for (const std::string* field :
         {&setup.date, &c.hort, &c.bowWeight, &c.arrowLength, &c.pointWeight, &c.bowType,
          &c.wheelType, &c.releaseType, &c.braceHt, &c.overDraw}) {
        for (const char ch : *field) {
            h ^= static_cast<unsigned char>(ch);
            h *= 16777619U;
        }
        h ^= 0x1FU;
        h *= 16777619U;
    }
    char buf[9];
    std::snprintf(buf, sizeof buf, "%08X", h);
    return buf;
}

void appendDelimitedBuild(const SavedBuild& build, std::string& line) {
    for (const BuildField& f : buildFields()) {
        line += ',';
        const std::string value = storedText(build, f.member);
        if (f.spec.type == 'C') {
            storage::appendQuotedText(value, line);
        } else {
            line += value;
        }
    }
}

const std::vector<FieldSpec>& BuildStore::fieldSpecs() {
    static const std::vector<FieldSpec> specs = [] {
        std::vector<FieldSpec> s{text("SETUPKEY", kSetupKeyWidth), text("SETUPSIG", 8)};
        for (const BuildField& f : buildFields()) s.push_back(f.spec);
        return s;
    }();
    return specs;
}

BuildStore::BuildStore(const std::filesystem::path& dataDir, storage::FileIo& io)
    : m_dataDir(dataDir), m_io(io), m_table(dataDir / kBuildsTableFile, io) {}

Status BuildStore::openForReading() {
    return open(false);
}

Status BuildStore::openForWriting() {
    return open(true);
}

Status BuildStore::open(bool forWriting) {
    if (m_table.isOpen()) return Status::ok();
    const std::filesystem::path tablePath = m_dataDir / kBuildsTableFile;
    const std::filesystem::path indexPath = m_dataDir / kBuildsIndexFile;
    if (forWriting) {
        if (Status s = ensureOwnTable(tablePath, fieldSpecs(), m_io); !s) return s;
    } else if (!m_io.exists(tablePath)) {
        return Status::ok();  // no build saved yet
    }
    Status s = m_table.open();
    if (s) s = checkOwnFields(m_table, fieldSpecs());
    if (s && forWriting) s = repairOwnTable(m_table, {indexPath}, m_io, m_notice);
    if (s) s = selectOwnIndex(m_table, indexPath, kKeyExpression, m_io, m_notice);
    if (!s) m_table.close();
    return s;
}

void BuildStore::close() {
    m_table.close();
}

std::string BuildStore::takeNotice() {
    return std::exchange(m_notice, std::string());
}

Result<std::uint32_t> BuildStore::append(std::uint32_t setupRecNo, const std::string& signature,
                                         SavedBuild build) {
    build.savedAt = timestampNow();
    return appendAsSaved(setupRecNo, signature, build);
}

Result<std::uint32_t> BuildStore::appendAsSaved(std::uint32_t setupRecNo,
                                                const std::string& signature,
                                                const SavedBuild& build, Fitting* fitting) {
    if (Status s = m_table.appendBlank(); !s) return s;
    Status s = m_table.setFieldText("SETUPKEY", setupKey(setupRecNo));
    if (s) s = m_table.setFieldText("SETUPSIG", signature);
    for (const BuildField& f : buildFields()) {
        if (!s) break;
        const std::string text = storedText(build, f.member);
        s = m_table.setFieldText(f.spec.name, text);
        if (fitting == nullptr) continue;
        if (s.code() == Status::Code::Encoding) {
            s = m_table.setFieldText(f.spec.name, withUnstorableMarked(text));
            ++fitting->replaced;
        }
        if (s && f.spec.type == 'C' && core::characterCount(text) > f.spec.length) ++fitting->cut;
    }
    if (s) s = m_table.post();
    if (!s) {
        // Nothing of a refused record may reach the file with a later post.
        if (m_table.editState() != storage::EditState::Browse) m_table.cancel();
        return s;
    }
    return m_table.recNo();
}

Result<BuildStore::Record> BuildStore::current() const {
    Record r;
    auto key = m_table.fieldText("SETUPKEY");
    if (!key) return key.status();
    r.setupRecNo =
        static_cast<std::uint32_t>(core::parseInteger(withoutTrailingBlanks(*key)).value_or(0));
    auto sig = m_table.fieldText("SETUPSIG");
    if (!sig) return sig.status();
    r.signature = withoutTrailingBlanks(*sig);
    for (const BuildField& f : buildFields()) {
        auto value = m_table.fieldText(f.spec.name);
        if (!value) return value.status();
        const std::string stored = withoutTrailingBlanks(std::move(value).value());
        if (!readText(r.build, f.member, stored)) {
            return Status::conversion(m_table.path().filename().string() + ", record " +
                                      std::to_string(m_table.recNo()) + ": field " + f.spec.name +
                                      " holds '" + stored + "', which is not a number");
        }
    }
    return r;
}

Result<std::optional<FoundBuild>> BuildStore::findFor(std::uint32_t setupRecNo,
                                                      const std::string& signature) {
    if (!m_table.isOpen()) return std::optional<FoundBuild>();
    const std::string key = setupKey(setupRecNo);
    auto found = m_table.seek(key);
    if (!found) return found.status();
    std::optional<FoundBuild> newest;
    // A set-up has one build unless saving one was retried; the newest
    // (the highest record number) is the one that counts.
    while (*found && !m_table.eof()) {
        auto k = m_table.fieldText("SETUPKEY");
        if (!k) return k.status();
        if (withoutTrailingBlanks(*k) != key) break;
        auto record = current();
        if (!record) return record.status();
        if (record->signature == signature && (!newest || m_table.recNo() > newest->recNo)) {
            newest = FoundBuild{m_table.recNo(), record->build};
        }
        if (Status s = m_table.next(); !s) return s;
    }
    return newest;
}

std::uint32_t BuildStore::recordCount() const {
    return m_table.isOpen() ? m_table.recordCount() : 0;
}

Result<std::optional<BuildStore::Record>> BuildStore::read(std::uint32_t recNo) {
    if (Status s = m_table.goTo(recNo); !s) return s;
    if (m_table.isDeleted()) return std::optional<Record>();
    auto r = current();
    if (!r) return r.status();
    return std::optional<Record>(std::move(r).value());
}

}  // namespace quivra::customers
