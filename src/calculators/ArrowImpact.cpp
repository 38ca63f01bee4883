#include "ArrowImpact.h"

#include "BallisticUnits.h"
#include "KineticEnergy.h"

#include <cmath>

namespace quivra::calculators {

double kineticEnergyFtLb(double grains, double fps) {
    return grains * fps * fps / units::kKineticEnergyDivisor;
}

double momentumSlugFtS(double grains, double fps) {
    return grains * fps / units::kMomentumDivisor;
}

std::string_view energyClass(double kineticEnergyFtLb) {
    // The window rates the whole part; its two top picture lists share the
    // scale's last label.
    const double whole = std::floor(kineticEnergyFtLb);
    switch (gameClassFor(whole >= 9.0e18 ? 9'000'000'000'000'000'000LL
                                         : static_cast<long long>(whole))) {
        case GameClass::Small:
            return "Small Game";
        case GameClass::Medium:
            return "Medium Game";
        case GameClass::Big:
            return "Big Game";
        case GameClass::Tough:
        case GameClass::Tanks:
            return "Largest Game";
    }
    return "Small Game";
}

std::string_view momentumClass(double momentumSlugFtS) {
    if (momentumSlugFtS < 0.25) return "Small Game";
    if (momentumSlugFtS < 0.40) return "Medium Game";
    if (momentumSlugFtS < 0.50) return "Big Game";
    if (momentumSlugFtS < 0.60) return "Dangerous Game";
    return "Largest Game";
}

}  // namespace quivra::calculators
