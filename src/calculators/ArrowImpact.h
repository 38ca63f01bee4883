#pragma once
// ArrowImpact: kinetic energy and momentum of an arrow and the hunting
// classes they fall in.
//
// KE (ft-lb) = W v^2 / 450240 and momentum (slug-ft/s) = W v / 225120, with W
// in grains and v in feet per second; both divisors carry the same gravity
// constant (units::kKineticEnergyDivisor), so KE = momentum x v / 2.
//
// Energy classes are the kinetic energy window's, by the whole foot-pounds:
// under 25 "Small Game", 25 to 40 "Medium Game", 41 to 64 "Big Game", 65 and
// more "Largest Game".  Momentum classes follow the momentum guide that
// bowhunting references publish beside the energy chart (docs/ballistics.md):
// under 0.25 "Small Game", 0.25 to under 0.40 "Medium Game", 0.40 to under
// 0.50 "Big Game", 0.50 to under 0.60 "Dangerous Game", 0.60 and more
// "Largest Game".

#include <string_view>

namespace quivra::calculators {

double kineticEnergyFtLb(double grains, double fps);
double momentumSlugFtS(double grains, double fps);

std::string_view energyClass(double kineticEnergyFtLb);
std::string_view momentumClass(double momentumSlugFtS);

}  // namespace quivra::calculators
