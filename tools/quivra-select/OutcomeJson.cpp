#include "OutcomeJson.h"

#include "JsonWriter.h"

#include <utility>

namespace quivra::tools {

namespace {

using selection::ControlState;
using selection::GridButton;
using selection::RecommendationSlot;
using selection::SearchOutcome;
using selection::SearchRun;
using selection::SelectionInputs;

void writeRun(JsonWriter& j, const SearchRun& run) {
    j.beginObject();
    j.key("page");
    j.value(core::pageKey(run.page));
    j.key("weight");
    j.value(run.weightText);
    j.key("corrected_weight");
    j.value(run.correctedWeight);
    j.key("band");
    j.value(run.band);
    j.key("row");
    j.value(run.row);
    j.key("valid");
    j.value(run.valid);
    j.key("reset_to");
    j.value(run.resetTo);
    j.endObject();
}

void writeInputs(JsonWriter& j, const SelectionInputs& in) {
    j.beginObject();
    const std::pair<const char*, const std::string*> texts[] = {
        {"bow_weight", &in.bowWeight},
        {"arrow_length", &in.arrowLength},
        {"point_weight", &in.pointWeight},
        {"youth_bow_weight", &in.youthBowWeight},
        {"youth_arrow_length", &in.youthArrowLength},
    };
    for (const auto& [name, text] : texts) {
        j.key(name);
        j.value(*text);
    }
    const std::pair<const char*, int> indexes[] = {
        {"bow_type", in.bowType},     {"targ_bow_type", in.targBowType},
        {"hunt_cam", in.huntCamType}, {"wheel_type", in.wheelType},
        {"release", in.releaseType},  {"brace", in.braceHt},
        {"overdraw", in.overDraw},
    };
    for (const auto& [name, index] : indexes) {
        j.key(name);
        j.value(index);
    }
    j.endObject();
}

void writeSlot(JsonWriter& j, int n, const RecommendationSlot& s) {
    j.beginObject();
    j.key("slot");
    j.value(n);
    const std::pair<const char*, const GridButton*> captions[] = {
        {"size", &s.size}, {"spine", &s.spine}, {"models", &s.models}, {"weight", &s.weight}};
    for (const auto& [name, button] : captions) {
        j.key(name);
        j.value(button->caption);
    }
    j.key("shown");
    j.value(s.size.showCaption);
    j.key("size_enabled");
    j.value(s.size.enabled);
    j.key("weight_enabled");
    j.value(s.weight.enabled);
    j.key("size_hint");
    j.value(s.size.hint);
    j.key("weight_hint");
    j.value(s.weight.hint);
    j.endObject();
}

void writeControls(JsonWriter& j, const selection::SetupControls& c) {
    const std::pair<const char*, const ControlState*> controls[] = {
        {"BowType", &c.bowType},
        {"TargBowType", &c.targBowType},
        {"HuntCamType", &c.huntCamType},
        {"WheelType", &c.wheelType},
        {"BraceHt", &c.braceHt},
        {"ReleaseType", &c.releaseType},
        {"OverDraw", &c.overDraw},
        {"BowWeightSpin", &c.bowWeightSpin},
        {"YouthBowWtSpin", &c.youthBowWtSpin},
        {"ArrowLengthSpin", &c.arrowLengthSpin},
        {"YouthArrowLenSpin", &c.youthArrowLenSpin},
        {"PointWtSpin", &c.pointWtSpin},
        {"UpDown4", &c.upDown4},
        {"Label6", &c.label6},
    };
    j.beginObject();
    for (const auto& [name, state] : controls) {
        j.key(name);
        j.beginObject();
        j.key("visible");
        j.value(state->visible);
        j.key("enabled");
        j.value(state->enabled);
        j.key("font");
        j.value(state->font == selection::TextColour::Grey ? "grey" : "black");
        j.endObject();
    }
    j.endObject();
}

}  // namespace

std::string outcomeJson(const SearchOutcome& o) {
    JsonWriter j;
    j.beginObject();
    j.key("page");
    j.value(core::pageKey(o.page));
    j.key("page_key");
    j.value(o.searchedPage ? core::pageKey(*o.searchedPage) : std::string_view());
    j.key("searched");
    j.value(o.searched);
    j.key("runs");
    j.beginArray();
    for (const SearchRun& run : o.runs) writeRun(j, run);
    j.endArray();
    j.key("messages");
    j.beginArray();
    for (const std::string& m : o.messages) j.value(m);
    j.endArray();
    j.key("inputs");
    writeInputs(j, o.inputs);
    j.key("slots");
    j.beginArray();
    const std::vector<RecommendationSlot>& grid = o.activeGrid();
    for (std::size_t i = 0; i < grid.size(); ++i) writeSlot(j, static_cast<int>(i + 1), grid[i]);
    j.endArray();
    j.key("target_spine_labels");
    j.beginArray();
    for (const std::string& label : o.targetSpineLabels) j.value(label);
    j.endArray();
    j.key("controls");
    writeControls(j, o.controls);
    j.key("errors");
    j.beginArray();
    for (const std::string& e : o.dataErrors) j.value(e);
    j.endArray();
    j.endObject();
    return j.text();
}

std::string errorJson(const std::string& text) {
    JsonWriter j;
    j.beginObject();
    j.key("error");
    j.value(text);
    j.endObject();
    return j.text();
}

}  // namespace quivra::tools
