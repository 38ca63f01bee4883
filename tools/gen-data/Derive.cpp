#include "Derive.h"

#include "Numbers.h"
#include "TrajectoryTable.h"

namespace quivra::gendata {

CsvTable trajectoryToCsv() {
    CsvTable t({"REC", "WEIGHT", "VELOCITY", "DISTANCE", "VEL", "LOW", "HIGH"});
    int rec = 0;
    for (const auto& r : trajectoryTable()) {
        t.addRow({integerText(++rec), integerText(r.weight), integerText(r.velocity),
                  integerText(r.distance), integerText(r.result.velocityFps),
                  integerText(r.result.nearYd), integerText(r.result.farYd)});
    }
    return t;
}

std::optional<DerivedData> deriveAll(const std::filesystem::path& dataDir, std::string& error) {
    auto famCsv = CsvTable::read(dataDir / "families.csv", error);
    if (!famCsv) return std::nullopt;
    auto shaftCsv = CsvTable::read(dataDir / "shafts.csv", error);
    if (!shaftCsv) return std::nullopt;
    auto families = familiesFromCsv(*famCsv, error);
    if (!families) return std::nullopt;
    auto shafts = shaftsFromCsv(*shaftCsv, error);
    if (!shafts) return std::nullopt;
    auto catalogue = buildCatalogue(*families, *shafts, error);
    if (!catalogue) return std::nullopt;

    DerivedData out;
    out.catalogue = *catalogue;
    for (ChartKind kind : allCharts()) out.charts.push_back(buildChart(kind, *catalogue));
    for (const auto& alias : pairAliases(out.charts[1], *catalogue)) out.catalogue.push_back(alias);
    out.trajectory = trajectoryToCsv();
    return out;
}

bool writeDerived(const DerivedData& data, const std::filesystem::path& dataDir,
                  std::string& error) {
    if (!catalogueToCsv(data.catalogue).write(dataDir / "specs.csv", error)) return false;
    for (const auto& chart : data.charts) {
        if (!chartToCsv(chart).write(dataDir / chartShape(chart.kind).csvName, error)) return false;
    }
    return data.trajectory.write(dataDir / "newtraj.csv", error);
}

}  // namespace quivra::gendata
