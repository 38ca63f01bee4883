#include "ShaftLookup.h"

#include "ArrowWeight.h"
#include "NumberText.h"
#include "SlotFiller.h"

namespace quivra::buildsheet {

core::Result<CatalogueShaft> lookUpShaft(catalogue::ShaftCatalogue& catalogue, std::string_view key,
                                         core::Page page, std::string_view modelsCaption) {
    const std::string seek = details::seekKey(core::trimBlanks(key));
    if (seek.empty()) return core::Status::invalidArgument("No shaft is chosen.");
    core::Result<catalogue::ShaftRecord> found = catalogue.fullRecord(seek);
    if (!found) return found.status();
    catalogue::ShaftRecord& record = found.value();
    const std::string size(core::trimBlanks(record.size));
    if (!record.found || size + record.keySpine != seek) {
        return core::Status::notFound("The shaft " + seek + " is not in the catalogue.");
    }

    const bool targetModels = selection::modelsColumnOf(page) == selection::ModelsColumn::Target;
    const std::string models(core::trimBlanks(
        !modelsCaption.empty() ? modelsCaption : (targetModels ? record.tmodels : record.hmodels)));
    const std::optional<double> spine = core::parseDecimal(record.spine);
    const details::Converted gpi = details::grainsPerInch(models, record.gpi);
    if (!spine || !gpi.value) {
        return core::Status::conversion(
            "The catalogue gives the shaft " + seek + " the spine '" +
            std::string(core::trimBlanks(record.spine)) + "' and the weight per inch '" +
            std::string(core::trimBlanks(record.gpi)) + "': they are not numbers.");
    }
    CatalogueShaft out;
    out.shaft.key = seek;
    out.shaft.size = size;
    out.shaft.models = models;
    out.shaft.spineIn = *spine;
    out.shaft.grainsPerInch = *gpi.value;
    out.shaft.outsideDiameterIn = record.outsideDiameter();
    out.record = std::move(record);
    return out;
}

}  // namespace quivra::buildsheet
