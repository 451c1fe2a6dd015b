#include "sim/model/UnitVariation.h"

#include <cmath>
#include <numbers>

namespace {

BandResponse RandomResponse(UnitRandom& random, double maxTiltDb, double maxRippleDb) {
    BandResponse response;
    response.tiltDb = random.Uniform(-maxTiltDb, maxTiltDb);
    response.rippleDb = random.Uniform(0.0, maxRippleDb);
    response.ripplePhase = random.Uniform(0.0, 2.0 * std::numbers::pi);
    return response;
}

// Spreads chosen so that the derived DACs of the TX calibration stay well inside its ±50
// windows and every correction stays inside the station's accepted ranges.
PaVariation RandomPa(UnitRandom& random) {
    PaVariation pa;
    pa.dacShift = random.Uniform(-20.0, 20.0);
    pa.slopeFactor = random.Uniform(0.93, 1.07);
    pa.saturationDb = random.Uniform(-0.5, 0.5);
    pa.response = RandomResponse(random, 0.4, 0.3);
    return pa;
}

RxVariation RandomRx(UnitRandom& random) {
    RxVariation rx;
    rx.offsetDb = random.Uniform(-4.0, 4.0);
    rx.response = RandomResponse(random, 1.5, 0.8);
    return rx;
}

int RandomGmagic(UnitRandom& random) {
    return static_cast<int>(std::lround(random.Uniform(188.0, 203.0)));
}

void ApplyFlaw(UnitVariation& unit, UnitFlaw flaw) {
    switch (flaw) {
    case UnitFlaw::kNone:
        break;
    case UnitFlaw::kWeakTransmitter:
        unit.gsmPa.saturationDb = -6.0;
        unit.dcsPa.saturationDb = -6.0;
        break;
    case UnitFlaw::kRxOffset:
        unit.dcsRx.offsetDb = 12.0;
        break;
    case UnitFlaw::kGmagic:
        unit.gmagicGsm = 214;
        break;
    case UnitFlaw::kBattery:
        unit.batteryGain = 1.03;
        break;
    }
}

} // namespace

double BandResponse::At(double bandPosition) const {
    return tiltDb * bandPosition +
           rippleDb * std::sin(std::numbers::pi * bandPosition + ripplePhase);
}

UnitVariation UnitVariation::FromSeed(std::uint32_t seed, UnitFlaw flaw) {
    UnitRandom random(seed);
    UnitVariation unit;
    unit.gsmPa = RandomPa(random);
    unit.dcsPa = RandomPa(random);
    unit.gsmRx = RandomRx(random);
    unit.dcsRx = RandomRx(random);
    unit.gmagicGsm = RandomGmagic(random);
    unit.gmagicDcs = RandomGmagic(random);
    unit.batteryGain = random.Uniform(0.997, 1.003);
    unit.idleCurrentA = random.Uniform(0.19, 0.21);
    ApplyFlaw(unit, flaw);
    return unit;
}

double UnitRandom::Uniform(double low, double high) {
    const double unit = static_cast<double>(engine_()) / 4294967296.0; // [0, 1)
    return low + (high - low) * unit;
}

double UnitRandom::Normal(double sigma) {
    // Box-Muller; 1 - u keeps the logarithm's argument in (0, 1].
    const double u1 = 1.0 - Uniform(0.0, 1.0);
    const double u2 = Uniform(0.0, 1.0);
    return sigma * std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}
