#pragma once

#include <cstdint>
#include <random>

// Which calibration a unit fails on purpose, so that the station's failure paths can be run.
enum class UnitFlaw {
    kNone,
    kWeakTransmitter, // saturates below the top reference powers of both bands
    kRxOffset,        // DCS receive level so far off that the correction leaves -20..20
    kGmagic,          // GSM GMAGIC far above the accepted 185..206
    kBattery,         // battery ADC gain puts the reading above 628 at 4.18 V
};

// A smooth error across a band: a tilt plus one ripple period, in dB, at a band position
// from -1 (bottom) to 1 (top).
struct BandResponse {
    double tiltDb = 0.0;
    double rippleDb = 0.0;
    double ripplePhase = 0.0;

    double At(double bandPosition) const;
};

// How one band's power amplifier differs from the nominal curve.
struct PaVariation {
    double dacShift = 0.0;     // DAC counts the curve is moved up by
    double slopeFactor = 1.0;  // scale of the curve's dB slope
    double saturationDb = 0.0; // offset of the saturated output from nominal
    BandResponse response;     // output power across the band
};

// How one band's receive level measurement errs before it is corrected.
struct RxVariation {
    double offsetDb = 0.0;
    BandResponse response;
};

struct UnitVariation {
    PaVariation gsmPa;
    PaVariation dcsPa;
    RxVariation gsmRx;
    RxVariation dcsRx;
    int gmagicGsm = 195; // the GMAGIC value that makes the unit read true, 2 units per dB
    int gmagicDcs = 195;
    double batteryGain = 1.0; // ADC gain relative to nominal
    double idleCurrentA = 0.2;

    // The same seed gives the same unit on every platform: values come from the raw
    // std::mt19937 output, whose sequence the standard fixes.
    static UnitVariation FromSeed(std::uint32_t seed, UnitFlaw flaw);
};

// Uniform and normal numbers from std::mt19937's raw output (the standard distributions are
// free to differ between libraries).
class UnitRandom {
public:
    explicit UnitRandom(std::uint32_t seed) : engine_(seed) {}

    double Uniform(double low, double high);
    double Normal(double sigma);

private:
    std::mt19937 engine_;
};
