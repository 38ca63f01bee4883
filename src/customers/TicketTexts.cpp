#include "TicketTexts.h"

#include "NumberText.h"

namespace quivra::customers {

std::string grainsValue(double grains) {
    return core::fixedText(grains, 1) + " gr";
}

std::string inchesValue(double inches) {
    // Three decimals at most, and no zeros after the last digit that counts.
    std::string text = core::fixedText(inches, 3);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text + " in";
}

std::string ticketNumberText(unsigned number) {
    return number == 0 ? std::string("(given when printed)") : std::to_string(number);
}

std::vector<TicketLine> ticketShaftLines(const SavedBuild& b) {
    return {{"Shaft size:", b.size.empty() ? b.shaftKey : b.size},
            {"Models:", b.models},
            {"Spine:", b.spineIn > 0 ? core::fixedText(b.spineIn, 3) : std::string()},
            {"Quantity:", std::to_string(b.quantity) + (b.quantity == 1 ? " arrow" : " arrows")},
            {"Cut length:", inchesValue(b.lengthIn)}};
}

std::vector<TicketLine> ticketComponentLines(const SavedBuild& b) {
    return {{"Shaft (" + inchesValue(b.lengthIn) + " at " + core::fixedText(b.grainsPerInch, 2) +
                 " gr/in):",
             grainsValue(b.shaftGr())},
            {"Point:", grainsValue(b.pointGr)},
            {"Insert:", grainsValue(b.insertGr)},
            {"Nock:", grainsValue(b.nockGr)},
            {"Fletching:", grainsValue(b.fletchingGr)}};
}

std::vector<TicketLine> ticketResultLines(const SavedBuild& b) {
    const std::string foc = b.focPercent
                                ? core::fixedText(*b.focPercent, 1) + "%" +
                                      (b.balanceIn ? " (balance measured)" : " (balance estimated)")
                                : std::string("not known");
    return {{"Total arrow weight:", grainsValue(b.totalGr)},
            {"FOC:", foc},
            {"Spine check:", b.spineCheck.empty() ? std::string("not checked") : b.spineCheck},
            {"Estimated speed:",
             b.speedFps ? core::fixedText(*b.speedFps, 1) + " fps" : std::string("not known")}};
}

}  // namespace quivra::customers
