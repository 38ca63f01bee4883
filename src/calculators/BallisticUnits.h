#pragma once
// The unit conversions and the two archery constants every ballistics rule of
// the program shares.  Exact where the unit is defined exactly (foot, yard,
// inch, grain, pound-force); the archery constants are the shop's.

namespace quivra::calculators::units {

inline constexpr double kMetresPerFoot = 0.3048;
inline constexpr double kMetresPerYard = 0.9144;
inline constexpr double kMetresPerInch = 0.0254;
inline constexpr double kInchesPerYard = 36.0;
inline constexpr double kKgPerGrain = 64.79891e-6;
inline constexpr double kGramsPerGrain = 0.06479891;
inline constexpr double kGrainsPerPound = 7000.0;
inline constexpr double kJoulesPerFootPound = 1.3558179483314004;
inline constexpr double kKgPerPound = 0.45359237;
inline constexpr double kInchesPerFoot = 12.0;

// Kinetic energy in foot-pounds is W v^2 / 450240 (W grains, v feet per
// second): 2 x 7000 grains per pound x 32.16 ft/s^2, the constant of the
// kinetic energy window.  Momentum in slug-feet per second is W v / 225120,
// half of it, so that KE = momentum x v / 2 holds exactly.
inline constexpr double kKineticEnergyDivisor = 450240.0;
inline constexpr double kMomentumDivisor = kKineticEnergyDivisor / 2.0;

}  // namespace quivra::calculators::units
