#include "CommandLine.h"

#include <charconv>
#include <functional>
#include <string_view>
#include <vector>

namespace quivra::tools {

namespace {

using core::Page;
using selection::SelectionInputs;

struct OptionDef {
    std::string_view name;
    std::string_view help;
    // Stores the value; gives an error text when it is not acceptable.
    std::function<std::optional<std::string>(Options&, const std::string&)> apply;
};

OptionDef textOption(std::string_view name, std::string SelectionInputs::*field,
                     std::string_view help) {
    return {name, help, [field](Options& o, const std::string& v) -> std::optional<std::string> {
                o.inputs.*field = v;
                return std::nullopt;
            }};
}

// A choice group: its 0-based item index, or -1 for no selected item.
OptionDef indexOption(std::string_view name, int SelectionInputs::*field, int items,
                      std::string_view help) {
    return {
        name, help,
        [name, field, items](Options& o, const std::string& v) -> std::optional<std::string> {
            int index = 0;
            const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), index);
            if (ec != std::errc() || end != v.data() + v.size() || index < -1 || index >= items) {
                return "--" + std::string(name) + " takes an item index from -1 to " +
                       std::to_string(items - 1) + ", not '" + v + "'";
            }
            o.inputs.*field = index;
            return std::nullopt;
        }};
}

const std::vector<OptionDef>& optionTable() {
    static const std::vector<OptionDef> table = {
        {"data",
         "DIR  folder holding the tables and invsel.txt (default: the working folder\n"
         "        when it holds them, otherwise ~/.local/share/quivra, as for quivra)",
         [](Options& o, const std::string& v) -> std::optional<std::string> {
             o.dataDir = v;
             return std::nullopt;
         }},
        {"page", "hunt|targ|youth|kstr  active category page (default: hunt)",
         [](Options& o, const std::string& v) -> std::optional<std::string> {
             static const std::pair<std::string_view, Page> pages[] = {{"hunt", Page::Hunt},
                                                                       {"targ", Page::Targ},
                                                                       {"youth", Page::Youth},
                                                                       {"kstr", Page::Kstr}};
             for (const auto& [text, page] : pages) {
                 if (v == text) {
                     o.inputs.page = page;
                     return std::nullopt;
                 }
             }
             return "--page takes hunt, targ, youth or kstr, not '" + v + "'";
         }},
        textOption("bow-weight", &SelectionInputs::bowWeight, "T  BowWeightSpin text (60)"),
        textOption("arrow-length", &SelectionInputs::arrowLength, "T  ArrowLengthSpin text (30)"),
        textOption("point-weight", &SelectionInputs::pointWeight, "T  PointWtSpin text (100)"),
        textOption("youth-bow-weight", &SelectionInputs::youthBowWeight,
                   "T  YouthBowWtSpin text (30)"),
        textOption("youth-arrow-length", &SelectionInputs::youthArrowLength,
                   "T  YouthArrowLenSpin text (25)"),
        indexOption("bow-type", &SelectionInputs::bowType, 3,
                    "I  BowType: 0 compound, 1 recurve, 2 modern longbow"),
        indexOption("targ-bow-type", &SelectionInputs::targBowType, 2,
                    "I  TargBowType: 0 compound, 1 recurve"),
        indexOption("hunt-cam", &SelectionInputs::huntCamType, 2,
                    "I  HuntCamType: 0 single or hard cam, 1 medium cam"),
        indexOption("wheel-type", &SelectionInputs::wheelType, 3,
                    "I  WheelType: 0 hard, 1 medium, 2 soft cam"),
        indexOption("release", &SelectionInputs::releaseType, 2,
                    "I  ReleaseType: 0 mechanical, 1 fingers"),
        indexOption("brace", &SelectionInputs::braceHt, 2, "I  BraceHt: 0 over 6.5\", 1 under"),
        indexOption("overdraw", &SelectionInputs::overDraw, 6,
                    "I  OverDraw: 0 none, 1 to 5 inches"),
        {"report", "FILE.pdf  also write the page's printed report there (shop from SHOPINFO.DBF)",
         [](Options& o, const std::string& v) -> std::optional<std::string> {
             if (v.empty()) return "--report needs a file name";
             o.reportPdf = v;
             return std::nullopt;
         }},
    };
    return table;
}

}  // namespace

std::optional<std::string> parseCommandLine(int argc, const char* const* argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--version") {
            options.version = true;
            continue;
        }
        if (!arg.starts_with("--")) return "unexpected argument '" + std::string(arg) + "'";
        arg.remove_prefix(2);
        std::string value;
        bool hasValue = false;
        if (const std::size_t eq = arg.find('='); eq != std::string_view::npos) {
            value = std::string(arg.substr(eq + 1));
            arg = arg.substr(0, eq);
            hasValue = true;
        }
        const OptionDef* def = nullptr;
        for (const OptionDef& d : optionTable()) {
            if (d.name == arg) def = &d;
        }
        if (def == nullptr) return "unknown option --" + std::string(arg);
        if (!hasValue) {
            if (i + 1 >= argc) return "--" + std::string(arg) + " needs a value";
            value = argv[++i];
        }
        if (auto error = def->apply(options, value)) return error;
    }
    return std::nullopt;
}

std::string usageText() {
    std::string text =
        "Usage: quivra-select [options]\n"
        "Runs one shaft search on the delivered tables and prints what the main\n"
        "window would show, as one JSON object.\n\nOptions:\n";
    for (const OptionDef& d : optionTable()) {
        text += "  --" + std::string(d.name) + " " + std::string(d.help) + "\n";
    }
    text +=
        "  --help  this text\n"
        "  --version  the version\n\n"
        "Exit status: 0 shown, 1 the search ended in an error ({\"error\": ...}),\n"
        "2 bad options, 3 shown with faults in the data (listed in \"errors\"),\n"
        "4 the --report file could not be written (the reason on standard error).\n";
    return text;
}

}  // namespace quivra::tools
