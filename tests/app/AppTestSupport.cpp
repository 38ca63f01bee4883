#include "AppTestSupport.h"

#include "MessageBox.h"

#include <algorithm>
#include <cmath>

namespace quivra::selection {

void PrintTo(const GridButton& b, std::ostream* os) {
    *os << '"' << b.caption << '"' << (b.showCaption ? "" : " hidden")
        << (b.enabled ? "" : " disabled") << (b.hint.empty() ? "" : " hint \"" + b.hint + '"');
}

void PrintTo(const RecommendationSlot& s, std::ostream* os) {
    *os << "{";
    PrintTo(s.size, os);
    *os << " | ";
    PrintTo(s.spine, os);
    *os << " | ";
    PrintTo(s.models, os);
    *os << " | ";
    PrintTo(s.weight, os);
    *os << "}";
}

}  // namespace quivra::selection

namespace quivra::app::test {

namespace fs = std::filesystem;

std::optional<fs::path> makeDataCopy(QTemporaryDir& dir) {
    const fs::path run(QUIVRA_TEST_RUN_DIR);
    const fs::path target(dir.path().toStdString());
    std::error_code ec;
    for (const char* name : {"HUNTCHRT.DBF", "Targchrt.dbf", "YouthChrt.dbf", "KSTRCHRT.dbf",
                             "Specs.DBF", "specs.idx", "invsel.txt", "SHOPINFO.DBF"}) {
        if (!fs::exists(run / name)) return std::nullopt;
        fs::copy_file(run / name, target / name, ec);
        if (ec) return std::nullopt;
    }
    // The saved set-ups and the trajectory table, for the windows that read them.
    for (const char* name : {"Saveddb.dbf", "Saveddb.fpt", "Saved.idx", "Newtraj.dbf"}) {
        if (fs::exists(run / name)) fs::copy_file(run / name, target / name, ec);
        if (ec) return std::nullopt;
    }
    if (fs::is_directory(run / "pictures")) {
        fs::copy(run / "pictures", target / "pictures", fs::copy_options::recursive, ec);
    }
    return target;
}

std::vector<selection::RecommendationSlot> shownGrid(const TArrowSel& window, core::Page page) {
    std::vector<selection::RecommendationSlot> grid;
    const CategoryPage* p = window.page(page);
    for (int slot = 1; slot <= p->descriptor().totalSlots; ++slot) {
        selection::RecommendationSlot s;
        s.size = p->slotButton(slot, SlotColumn::Size)->state();
        s.spine = p->slotButton(slot, SlotColumn::Spine)->state();
        s.models = p->slotButton(slot, SlotColumn::Models)->state();
        s.weight = p->slotButton(slot, SlotColumn::Weight)->state();
        grid.push_back(s);
    }
    return grid;
}

std::vector<selection::RecommendationSlot> withoutHints(
    std::vector<selection::RecommendationSlot> grid) {
    for (selection::RecommendationSlot& s : grid) {
        for (selection::GridButton* b : {&s.size, &s.spine, &s.models, &s.weight}) b->hint.clear();
        s.keySuffix.clear();  // not shown: the engine keeps it for the detail request
    }
    return grid;
}

std::vector<selection::RecommendationSlot> expectedGrid(const fs::path& dataDir,
                                                        const selection::SelectionInputs& inputs) {
    selection::SearchEngine engine(dataDir);
    return withoutHints(engine.search(inputs).grid(inputs.page));
}

std::optional<selection::SelectionInputs> findHuntingInputs(
    const fs::path& dataDir,
    const std::function<bool(const std::vector<selection::RecommendationSlot>&)>& pred) {
    selection::SearchEngine engine(dataDir);
    selection::SelectionInputs in;
    for (int length = 23; length <= 33; ++length) {
        for (int weight = 32; weight <= 96; ++weight) {
            in.bowWeight = std::to_string(weight);
            in.arrowLength = std::to_string(length);
            const selection::SearchOutcome& out = engine.search(in);
            if (out.runs.size() == 1 && out.runs.front().valid && !out.error &&
                pred(out.grid(core::Page::Hunt))) {
                return in;
            }
        }
    }
    return std::nullopt;
}

namespace {
// The relative luminance of WCAG 2.
double luminance(const QColor& c) {
    const auto channel = [](int value) {
        const double v = value / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}
}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

void MainWindowTest::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    const std::optional<fs::path> data = makeDataCopy(m_dir);
    if (!data) {
        GTEST_SKIP() << "The delivered tables are missing from " << QUIVRA_TEST_RUN_DIR
                     << "; build the quivra-data target first.";
    }
    m_dataDir = *data;
    shell::MessageBox::clearShownTexts();
    m_window = std::make_unique<TArrowSel>(m_dataDir);
    m_window->show();
    shell::MessageBox::clearShownTexts();
}

void MainWindowTest::TearDown() {
    m_window.reset();
    shell::MessageBox::clearShownTexts();
}

}  // namespace quivra::app::test
