#include "BuildOptions.h"

#include "DataFolder.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace quivra::tools {

namespace {

using calculators::BowType;
using calculators::InputField;
using selection::Page;

// What the options give before the arrow's two forms are checked.
struct Given {
    std::optional<double> drawLength, length, point, insert, nock, fletching;
};

struct Option {
    std::string_view name;
    std::string_view help;
    std::function<std::optional<std::string>(BuildRequest&, Given&, const std::string&)> apply;
};

std::optional<double> number(const std::string& text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string notANumber(std::string_view name, const std::string& text) {
    return "--" + std::string(name) + ": '" + text + "' is not a number.";
}

// A numeric option stored through `store`.
Option numeric(std::string_view name, std::string_view help,
               const std::function<void(BuildRequest&, Given&, double)>& store) {
    return {name, help,
            [name, store](BuildRequest& r, Given& g,
                          const std::string& text) -> std::optional<std::string> {
                const std::optional<double> v = number(text);
                if (!v) return notANumber(name, text);
                store(r, g, *v);
                return std::nullopt;
            }};
}

// A choice among fixed words.
template <class T>
Option choice(std::string_view name, std::string_view help,
              std::vector<std::pair<std::string_view, T>> words,
              std::function<void(BuildRequest&, T)> store) {
    return {name, help,
            [name, words, store](BuildRequest& r, Given&,
                                 const std::string& text) -> std::optional<std::string> {
                std::string listed;
                for (const auto& [word, value] : words) {
                    if (text == word) {
                        store(r, value);
                        return std::nullopt;
                    }
                    listed += (listed.empty() ? "" : ", ") + std::string(word);
                }
                return "--" + std::string(name) + ": '" + text + "' is none of " + listed + ".";
            }};
}

const std::vector<Option>& options() {
    using calculators::RatingStandard;
    static const std::vector<Option> table = {
        choice<BowType>("bow-type", "compound|recurve|longbow (compound)",
                        {{"compound", BowType::Compound},
                         {"recurve", BowType::Recurve},
                         {"longbow", BowType::Longbow}},
                        [](BuildRequest& r, BowType t) { r.input.bow.type = t; }),
        numeric("rating", "FPS  speed rating (needed for a compound)",
                [](BuildRequest& r, Given&, double v) { r.input.bow.ratingFps = v; }),
        choice<RatingStandard>("standard", "ibo|ata  standard of the rating (ibo)",
                               {{"ibo", RatingStandard::Ibo}, {"ata", RatingStandard::Ata}},
                               [](BuildRequest& r, RatingStandard s) { r.input.bow.standard = s; }),
        numeric("draw-weight", "LB  peak draw weight",
                [](BuildRequest& r, Given&, double v) { r.input.bow.drawWeightLb = v; }),
        numeric("draw-length", "IN  draw length (the shaft length less 1 in)",
                [](BuildRequest&, Given& g, double v) { g.drawLength = v; }),
        numeric("brace-height", "IN  brace height (7)",
                [](BuildRequest& r, Given&, double v) { r.input.bow.braceHeightIn = v; }),
        numeric("string-weight", "GR  nock points, loop, silencers, peep on the string (0)",
                [](BuildRequest& r, Given&, double v) { r.input.bow.stringAccessoriesGr = v; }),
        numeric("arrow-weight", "GR  the finished arrow's weight, instead of --shaft",
                [](BuildRequest& r, Given&, double v) { r.input.arrow.weighedGr = v; }),
        {"shaft", "KEY  catalogue shaft: size followed by its chart key (2213M4, 400CH)",
         [](BuildRequest& r, Given&, const std::string& v) -> std::optional<std::string> {
             if (v.empty()) return "--shaft: the key is empty.";
             r.shaftKey = v;
             return std::nullopt;
         }},
        numeric("length", "IN  shaft length, nock groove to shaft end",
                [](BuildRequest&, Given& g, double v) { g.length = v; }),
        numeric("point", "GR  point weight",
                [](BuildRequest&, Given& g, double v) { g.point = v; }),
        numeric("insert", "GR  insert weight",
                [](BuildRequest&, Given& g, double v) { g.insert = v; }),
        numeric("nock", "GR  nock weight", [](BuildRequest&, Given& g, double v) { g.nock = v; }),
        numeric("fletching", "GR  fletching weight",
                [](BuildRequest&, Given& g, double v) { g.fletching = v; }),
        numeric("balance", "IN  measured balance point from the nock groove (estimated)",
                [](BuildRequest& r, Given&, double v) { r.input.arrow.balanceIn = v; }),
        choice<Page>("page", "hunt|targ|youth|kstr  chart of the spine check (hunt)",
                     {{"hunt", Page::Hunt},
                      {"targ", Page::Targ},
                      {"youth", Page::Youth},
                      {"kstr", Page::Kstr}},
                     [](BuildRequest& r, Page p) { r.input.chart.page = p; }),
        choice<int>("release", "mechanical|fingers (mechanical)",
                    {{"mechanical", 0}, {"fingers", 1}},
                    [](BuildRequest& r, int v) { r.input.chart.releaseType = v; }),
        choice<int>("cam", "hard|medium|soft  cam class (hard; soft only on the Target chart)",
                    {{"hard", 0}, {"medium", 1}, {"soft", 2}},
                    [](BuildRequest& r, int v) { r.input.chart.camType = v; }),
        choice<int>("overdraw", "0-5  overdraw in inches (0)",
                    {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}, {"5", 5}},
                    [](BuildRequest& r, int v) { r.input.chart.overDraw = v; }),
        numeric("sight-radius", "IN  eye to sight pin (draw length + 3)",
                [](BuildRequest& r, Given&, double v) { r.input.sightRadiusIn = v; }),
        {"data", "",  // the shared text, datafolder::kDataOptionHelp
         [](BuildRequest& r, Given&, const std::string& v) -> std::optional<std::string> {
             if (v.empty()) return "--data: the folder is empty.";
             r.dataDir = v;
             return std::nullopt;
         }},
    };
    return table;
}

// The two forms of the arrow, and the draw length's default.
std::optional<std::string> finish(BuildRequest& r, const Given& g, bool drawWeightGiven) {
    calculators::ArrowInput& a = r.input.arrow;
    if (a.weighedGr && r.shaftKey) {
        return "--arrow-weight: give the arrow's weight or --shaft with its parts, not both.";
    }
    if (!a.weighedGr && !r.shaftKey) return "--arrow-weight: give the arrow's weight or --shaft.";
    if (r.shaftKey) {
        const std::pair<const char*, const std::optional<double>*> parts[] = {
            {"length", &g.length},
            {"point", &g.point},
            {"insert", &g.insert},
            {"nock", &g.nock},
            {"fletching", &g.fletching}};
        for (const auto& [name, value] : parts) {
            if (!*value) return "--" + std::string(name) + ": needed with --shaft.";
        }
        a.lengthIn = *g.length;
        a.pointGr = *g.point;
        a.insertGr = *g.insert;
        a.nockGr = *g.nock;
        a.fletchingGr = *g.fletching;
    } else if (g.length || g.point || g.insert || g.nock || g.fletching || a.balanceIn) {
        return "--arrow-weight: the arrow's parts (--length, --point, --insert, --nock, "
               "--fletching, --balance) go with --shaft.";
    }
    if (!drawWeightGiven) return "--draw-weight: the bow's draw weight is needed.";
    if (g.drawLength) {
        r.input.bow.drawLengthIn = *g.drawLength;
    } else if (g.length) {
        r.input.bow.drawLengthIn = *g.length - 1.0;
    } else {
        return "--draw-length: the draw length is needed (without --shaft there is no arrow "
               "length to take it from).";
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> parseBuildOptions(int argc, const char* const* argv,
                                             BuildRequest& request) {
    Given given;
    bool drawWeightGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            request.help = true;
            return std::nullopt;
        }
        if (arg == "--version") {
            request.version = true;
            return std::nullopt;
        }
        if (!arg.starts_with("--")) return "unexpected argument '" + std::string(arg) + "'.";
        arg.remove_prefix(2);
        std::optional<std::string> value;
        if (const std::size_t eq = arg.find('='); eq != std::string_view::npos) {
            value = std::string(arg.substr(eq + 1));
            arg = arg.substr(0, eq);
        }
        const Option* option = nullptr;
        for (const Option& o : options()) {
            if (o.name == arg) option = &o;
        }
        if (option == nullptr) return "unknown option --" + std::string(arg) + ".";
        if (!value) {
            if (i + 1 >= argc) return "--" + std::string(arg) + ": a value is needed.";
            value = argv[++i];
        }
        if (auto error = option->apply(request, given, *value)) return error;
        if (arg == "draw-weight") drawWeightGiven = true;
    }
    return finish(request, given, drawWeightGiven);
}

std::string optionOf(InputField field) {
    switch (field) {
        case InputField::Rating:
            return "--rating";
        case InputField::DrawWeight:
            return "--draw-weight";
        case InputField::DrawLength:
            return "--draw-length";
        case InputField::BraceHeight:
            return "--brace-height";
        case InputField::StringWeight:
            return "--string-weight";
        case InputField::ArrowWeight:
            return "--arrow-weight";
        case InputField::Shaft:
            return "--shaft";
        case InputField::Length:
            return "--length";
        case InputField::Point:
            return "--point";
        case InputField::Insert:
            return "--insert";
        case InputField::Nock:
            return "--nock";
        case InputField::Fletching:
            return "--fletching";
        case InputField::Balance:
            return "--balance";
        case InputField::SightRadius:
            return "--sight-radius";
    }
    return "--arrow-weight";
}

std::string buildUsageText() {
    std::string text =
        "Usage: quivra-build [options]\n"
        "Prints one JSON object: the arrow build sheet of a bow and an arrow (speed by\n"
        "the rating rule and the energy model, kinetic energy, momentum, FOC, grains\n"
        "per pound, spine check, downrange table).  The arrow is either --arrow-weight\n"
        "GR or --shaft KEY with --length, --point, --insert, --nock and --fletching.\n"
        "Bad input prints {\"error\":\"...\"} and exits with 1.\n\nOptions:\n";
    for (const Option& o : options()) {
        if (o.help.empty()) continue;
        text += "  --" + std::string(o.name) + " " + std::string(o.help) + "\n";
    }
    text += datafolder::kDataOptionHelp;
    text +=
        "  --help  this text\n"
        "  --version  the version\n\n"
        "The data folder is needed only for --shaft (Specs.DBF with specs.idx).\n";
    return text;
}

}  // namespace quivra::tools
