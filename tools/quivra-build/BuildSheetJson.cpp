#include "BuildSheetJson.h"

#include "JsonWriter.h"

namespace quivra::tools {

namespace {

void spine(JsonWriter& j, const std::optional<calculators::SpineCheck>& s) {
    if (!s) {
        j.null();
        return;
    }
    j.beginObject();
    j.member("required", s->requiredIn);
    j.member("shaft", s->shaftIn);
    j.member("margin_percent", s->marginPercent);
    j.member("verdict", s->verdict);
    j.member("row", s->row);
    j.member("on_chart", s->onChart);
    j.endObject();
}

void downrange(JsonWriter& j, const calculators::DownrangeTable& table) {
    j.beginArray();
    for (const calculators::DownrangePoint& p : table.points) {
        j.beginObject();
        j.member("yards", p.yards);
        j.member("fps", p.fps);
        j.member("ke", p.keFtLb);
        j.member("momentum", p.momentumSlugFtS);
        j.member("drop_in", p.dropIn);
        j.member("time_s", p.timeS);
        j.endObject();
    }
    j.endArray();
}

void pinGaps(JsonWriter& j, const calculators::DownrangeTable& table) {
    j.beginArray();
    for (const calculators::PinGap& g : table.pinGaps) {
        j.beginObject();
        j.member("from", g.fromYd);
        j.member("to", g.toYd);
        j.member("gap_in", g.gapIn);
        j.endObject();
    }
    j.endArray();
}

}  // namespace

std::string buildSheetJson(const calculators::BuildSheet& s) {
    JsonWriter j;
    j.beginObject();
    j.member("arrow_weight", s.arrowWeightGr);
    j.member("gpp", s.grainsPerPound);
    j.key("speed");
    j.beginObject();
    j.member("rule", s.ruleFps);
    j.member("energy", s.energyFps);
    j.endObject();
    j.key("ke");
    j.beginObject();
    j.member("ft_lb", s.kineticEnergyFtLb);
    j.member("class", s.energyClass);
    j.endObject();
    j.key("momentum");
    j.beginObject();
    j.member("slug_ft_s", s.momentumSlugFtS);
    j.member("class", s.momentumClass);
    j.endObject();
    j.member("foc", s.focPercent);
    j.key("spine");
    spine(j, s.spine);
    j.key("downrange");
    downrange(j, s.downrange);
    j.key("warnings");
    j.beginArray();
    for (const std::string& w : s.warnings) j.value(w);
    j.endArray();

    j.member("balance_in", s.balanceIn);
    j.member("balance_estimated", s.balanceEstimated);
    j.key("pin_gaps");
    pinGaps(j, s.downrange);
    j.key("metric");
    j.beginObject();
    j.member("m_s", s.metric.speedMps);
    j.member("j", s.metric.kineticEnergyJ);
    j.member("kg_m_s", s.metric.momentumKgMs);
    j.member("g", s.metric.arrowGrams);
    j.endObject();
    j.endObject();
    return j.text();
}

std::string buildErrorJson(std::string_view message) {
    JsonWriter j;
    j.beginObject();
    j.member("error", message);
    j.endObject();
    return j.text();
}

}  // namespace quivra::tools
