#include "BuildSheetJson.h"

#include "JsonWriter.h"

namespace quivra::tools {

namespace {

void optionalNumber(JsonWriter& j, const std::optional<double>& v) {
    if (v) {
        j.value(*v);
    } else {
        j.null();
    }
}

void spine(JsonWriter& j, const std::optional<calculators::SpineCheck>& s) {
    if (!s) {
        j.null();
        return;
    }
    j.beginObject();
    j.key("required");
    j.value(s->requiredIn);
    j.key("shaft");
    j.value(s->shaftIn);
    j.key("margin_percent");
    j.value(s->marginPercent);
    j.key("verdict");
    j.value(s->verdict);
    j.key("row");
    j.value(s->row);
    j.key("on_chart");
    j.value(s->onChart);
    j.endObject();
}

void downrange(JsonWriter& j, const calculators::DownrangeTable& table) {
    j.key("downrange");
    j.beginArray();
    for (const calculators::DownrangePoint& p : table.points) {
        j.beginObject();
        j.key("yards");
        j.value(p.yards);
        j.key("fps");
        j.value(p.fps);
        j.key("ke");
        j.value(p.keFtLb);
        j.key("momentum");
        j.value(p.momentumSlugFtS);
        j.key("drop_in");
        j.value(p.dropIn);
        j.key("time_s");
        j.value(p.timeS);
        j.endObject();
    }
    j.endArray();
}

void pinGaps(JsonWriter& j, const calculators::DownrangeTable& table) {
    j.key("pin_gaps");
    j.beginArray();
    for (const calculators::PinGap& g : table.pinGaps) {
        j.beginObject();
        j.key("from");
        j.value(g.fromYd);
        j.key("to");
        j.value(g.toYd);
        j.key("gap_in");
        j.value(g.gapIn);
        j.endObject();
    }
    j.endArray();
}

}  // namespace

std::string buildSheetJson(const calculators::BuildSheet& s) {
    JsonWriter j;
    j.beginObject();
    j.key("arrow_weight");
    j.value(s.arrowWeightGr);
    j.key("gpp");
    j.value(s.grainsPerPound);
    j.key("speed");
    j.beginObject();
    j.key("rule");
    optionalNumber(j, s.ruleFps);
    j.key("energy");
    j.value(s.energyFps);
    j.endObject();
    j.key("ke");
    j.beginObject();
    j.key("ft_lb");
    j.value(s.kineticEnergyFtLb);
    j.key("class");
    j.value(s.energyClass);
    j.endObject();
    j.key("momentum");
    j.beginObject();
    j.key("slug_ft_s");
    j.value(s.momentumSlugFtS);
    j.key("class");
    j.value(s.momentumClass);
    j.endObject();
    j.key("foc");
    optionalNumber(j, s.focPercent);
    j.key("spine");
    spine(j, s.spine);
    downrange(j, s.downrange);
    j.key("warnings");
    j.beginArray();
    for (const std::string& w : s.warnings) j.value(w);
    j.endArray();

    j.key("balance_in");
    optionalNumber(j, s.balanceIn);
    j.key("balance_estimated");
    j.value(s.balanceEstimated);
    pinGaps(j, s.downrange);
    j.key("metric");
    j.beginObject();
    j.key("m_s");
    j.value(s.metric.speedMps);
    j.key("j");
    j.value(s.metric.kineticEnergyJ);
    j.key("kg_m_s");
    j.value(s.metric.momentumKgMs);
    j.key("g");
    j.value(s.metric.arrowGrams);
    j.endObject();
    j.endObject();
    return j.text();
}

std::string buildErrorJson(std::string_view message) {
    JsonWriter j;
    j.beginObject();
    j.key("error");
    j.value(message);
    j.endObject();
    return j.text();
}

}  // namespace quivra::tools
