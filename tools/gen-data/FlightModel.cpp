#include "FlightModel.h"

#include <cmath>
#include <numbers>

namespace quivra::gendata {

namespace {

constexpr double kMetresPerFoot = 0.3048;
constexpr double kMetresPerYard = 0.9144;
constexpr double kMetresPerInch = 0.0254;
constexpr double kKgPerGrain = 64.79891e-6;

struct State {
    double x, y, vx, vy;
};

struct Arrow {
    double dragPerMass;  // 0.5 rho Cd A / m, 1/m

    [[nodiscard]] State derivative(const State& s) const {
        const double v = std::hypot(s.vx, s.vy);
        return {s.vx, s.vy, -dragPerMass * v * s.vx, -flight::kGravity - dragPerMass * v * s.vy};
    }

    [[nodiscard]] State step(const State& s, double h) const {
        auto add = [](const State& a, const State& d, double k) {
            return State{a.x + d.x * k, a.y + d.y * k, a.vx + d.vx * k, a.vy + d.vy * k};
        };
        const State k1 = derivative(s);
        const State k2 = derivative(add(s, k1, h / 2));
        const State k3 = derivative(add(s, k2, h / 2));
        const State k4 = derivative(add(s, k3, h));
        return {s.x + h / 6 * (k1.x + 2 * k2.x + 2 * k3.x + k4.x),
                s.y + h / 6 * (k1.y + 2 * k2.y + 2 * k3.y + k4.y),
                s.vx + h / 6 * (k1.vx + 2 * k2.vx + 2 * k3.vx + k4.vx),
                s.vy + h / 6 * (k1.vy + 2 * k2.vy + 2 * k3.vy + k4.vy)};
    }

    // Height (m) and speed (m/s) at each whole yard 0..maxYd, by linear
    // interpolation between integration steps.
    void fly(double speed, double angle, int maxYd, std::vector<double>& height,
             std::vector<double>& velocity) const {
        height.assign(static_cast<std::size_t>(maxYd) + 1, -1e9);
        velocity.assign(static_cast<std::size_t>(maxYd) + 1, 0);
        State s{0, 0, speed * std::cos(angle), speed * std::sin(angle)};
        height[0] = 0;
        velocity[0] = speed;
        int nextYd = 1;
        for (int i = 0; i < 200000 && nextYd <= maxYd; ++i) {
            const State n = step(s, flight::kTimeStep);
            while (nextYd <= maxYd && n.x >= nextYd * kMetresPerYard) {
                const double t = (nextYd * kMetresPerYard - s.x) / (n.x - s.x);
                const auto k = static_cast<std::size_t>(nextYd);
                height[k] = s.y + t * (n.y - s.y);
                velocity[k] = std::hypot(s.vx + t * (n.vx - s.vx), s.vy + t * (n.vy - s.vy));
                ++nextYd;
            }
            s = n;
            if (s.vx <= 0) break;
        }
    }

    // Height (m) of the arrow where it passes x metres.
    [[nodiscard]] double heightAt(double speed, double angle, double xMetres) const {
        State s{0, 0, speed * std::cos(angle), speed * std::sin(angle)};
        for (int i = 0; i < 200000; ++i) {
            const State n = step(s, flight::kTimeStep);
            if (n.x >= xMetres) {
                const double t = (xMetres - s.x) / (n.x - s.x);
                return s.y + t * (n.y - s.y);
            }
            s = n;
            if (s.vx <= 0) break;
        }
        return -1e9;
    }
};

}  // namespace

TrajectoryResult computeTrajectory(double launchFps, double grains, int sightYd) {
    const double area =
        std::numbers::pi / 4 * std::pow(flight::kShaftDiameterIn * kMetresPerInch, 2);
    const double mass = grains * kKgPerGrain;
    const Arrow arrow{0.5 * flight::kAirDensity * flight::kDragCoefficient * area / mass};
    const double speed = launchFps * kMetresPerFoot;
    const double sightHeight = flight::kSightHeightIn * kMetresPerInch;
    const double target = sightYd * kMetresPerYard;

    // Bisection on the launch angle: the arrow must cross the line of sight
    // at the sighted distance.  Height at the target grows with the angle
    // over the small angles of interest.
    double lo = -0.05, hi = 0.35;
    for (int i = 0; i < 60; ++i) {
        const double mid = (lo + hi) / 2;
        if (arrow.heightAt(speed, mid, target) < sightHeight)
            lo = mid;
        else
            hi = mid;
    }
    const double angle = (lo + hi) / 2;

    std::vector<double> height, velocity;
    arrow.fly(speed, angle, flight::kMaxRangeYd, height, velocity);
    const double window = flight::kWindowIn * kMetresPerInch;
    auto inside = [&](int yd) {
        return std::fabs(height[static_cast<std::size_t>(yd)] - sightHeight) <= window + 1e-9;
    };
    TrajectoryResult r;
    r.velocityFps =
        static_cast<int>(std::lround(velocity[static_cast<std::size_t>(sightYd)] / kMetresPerFoot));
    r.nearYd = sightYd;
    while (r.nearYd > 1 && inside(r.nearYd - 1)) --r.nearYd;
    r.farYd = sightYd;
    while (r.farYd < flight::kMaxRangeYd && inside(r.farYd + 1)) ++r.farYd;
    return r;
}

std::vector<TrajectoryRow> trajectoryTable() {
    std::vector<TrajectoryRow> rows;
    for (int w = 350; w <= 650; w += 50)
        for (int v = 180; v <= 300; v += 20)
            for (int d = 20; d <= 60; d += 10)
                rows.push_back({w, v, d, computeTrajectory(v, w, d)});
    return rows;
}

int trajectoryRecord(int velocity, int weight, int distance) {
    return (velocity - 180) / 20 * 5 + (distance - 10) / 10 + (weight - 350) / 50 * 35;
}

}  // namespace quivra::gendata
