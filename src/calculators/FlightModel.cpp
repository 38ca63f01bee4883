#include "FlightModel.h"

#include "BallisticUnits.h"

#include <cmath>

namespace quivra::calculators {

namespace {

// A flight longer than this many steps (100 s) is not an arrow's.
constexpr int kMaxSteps = 200000;

struct State {
    double x, y, vx, vy;
};

State derivative(const State& s, double k) {
    const double v = std::sqrt(s.vx * s.vx + s.vy * s.vy);
    return {s.vx, s.vy, -k * v * s.vx, -flight::kGravity - k * v * s.vy};
}

State step(const State& s, double h, double k) {
    auto add = [](const State& a, const State& d, double f) {
        return State{a.x + d.x * f, a.y + d.y * f, a.vx + d.vx * f, a.vy + d.vy * f};
    };
    const State k1 = derivative(s, k);
    const State k2 = derivative(add(s, k1, h / 2), k);
    const State k3 = derivative(add(s, k2, h / 2), k);
    const State k4 = derivative(add(s, k3, h), k);
    return {s.x + h / 6 * (k1.x + 2 * k2.x + 2 * k3.x + k4.x),
            s.y + h / 6 * (k1.y + 2 * k2.y + 2 * k3.y + k4.y),
            s.vx + h / 6 * (k1.vx + 2 * k2.vx + 2 * k3.vx + k4.vx),
            s.vy + h / 6 * (k1.vy + 2 * k2.vy + 2 * k3.vy + k4.vy)};
}

State launch(double speed, double angle) {
    return {0, 0, speed * std::cos(angle), speed * std::sin(angle)};
}

}  // namespace

FlightModel FlightModel::withDrag(double dragCoefficient, double areaM2, double massKg) {
    return FlightModel(0.5 * flight::kAirDensity * dragCoefficient * areaM2 / massKg);
}

double FlightModel::heightAt(double speed, double angle, double xMetres) const {
    State s = launch(speed, angle);
    for (int i = 0; i < kMaxSteps; ++i) {
        const State n = step(s, flight::kTimeStep, m_dragPerMass);
        if (n.x >= xMetres) {
            const double t = (xMetres - s.x) / (n.x - s.x);
            return s.y + t * (n.y - s.y);
        }
        s = n;
        if (s.vx <= 0) break;
    }
    return -1e9;
}

std::vector<FlightSample> FlightModel::fly(double speed, double angle, int maxYd) const {
    std::vector<FlightSample> samples(static_cast<std::size_t>(maxYd) + 1);
    samples[0] = {0.0, speed, 0.0};
    State s = launch(speed, angle);
    int nextYd = 1;
    for (int i = 0; i < kMaxSteps && nextYd <= maxYd; ++i) {
        const State n = step(s, flight::kTimeStep, m_dragPerMass);
        while (nextYd <= maxYd && n.x >= nextYd * units::kMetresPerYard) {
            const double t = (nextYd * units::kMetresPerYard - s.x) / (n.x - s.x);
            FlightSample& out = samples[static_cast<std::size_t>(nextYd)];
            out.heightM = s.y + t * (n.y - s.y);
            out.speedMps = std::hypot(s.vx + t * (n.vx - s.vx), s.vy + t * (n.vy - s.vy));
            out.timeS = (i + t) * flight::kTimeStep;
            ++nextYd;
        }
        s = n;
        if (s.vx <= 0) break;
    }
    return samples;
}

double FlightModel::aimAngle(double speed, double xMetres, double height) const {
    constexpr double kLow = -0.05, kHigh = 0.35;
    auto miss = [&](double angle) { return heightAt(speed, angle, xMetres) - height; };

    // Secant steps from the drag-free aim: the height at the target is nearly
    // linear in the angle, so two or three flights find it.
    const double a = flight::kGravity * xMetres * xMetres / (2 * speed * speed);
    const double disc = xMetres * xMetres - 4 * a * (a + height);
    if (a > 0 && disc >= 0) {
        double x0 = std::atan((xMetres - std::sqrt(disc)) / (2 * a));
        double f0 = miss(x0);
        // dh/d(angle) = x / cos^2 without drag.
        double x1 = x0 - f0 * std::cos(x0) * std::cos(x0) / xMetres;
        for (int i = 0; i < 8 && x1 > kLow && x1 < kHigh; ++i) {
            const double f1 = miss(x1);
            if (std::fabs(f1) < 1e-13 || std::fabs(x1 - x0) < 1e-15) return x1;
            if (f1 == f0) break;
            const double next = x1 - f1 * (x1 - x0) / (f1 - f0);
            x0 = x1;
            f0 = f1;
            x1 = next;
        }
    }

    // Regula falsi with the Illinois modification keeps a bracket, so the
    // answer never leaves [kLow, kHigh] even where the secant strays.
    double lo = kLow, hi = kHigh;
    double fLo = miss(lo);
    double fHi = miss(hi);
    if (fLo >= 0) return lo;
    if (fHi <= 0) return hi;
    int retained = 0;  // which end kept its value last time: -1 lo, +1 hi
    for (int i = 0; i < 100 && hi - lo > 1e-13; ++i) {
        const double mid = hi - fHi * (hi - lo) / (fHi - fLo);
        const double fMid = miss(mid);
        if (fMid == 0) return mid;
        if (fMid < 0) {
            lo = mid;
            fLo = fMid;
            if (retained == 1) fHi /= 2;
            retained = 1;
        } else {
            hi = mid;
            fHi = fMid;
            if (retained == -1) fLo /= 2;
            retained = -1;
        }
        if (std::fabs(fMid) < 1e-13) return mid;
    }
    return (lo + hi) / 2;
}

}  // namespace quivra::calculators
