#pragma once

#include "sim/model/UnitVariation.h"

#include <span>
#include <vector>

struct PaPoint {
    double dac;
    double dbm;
};

// One band's power amplifier: output power against APC DAC. The nominal curve is a monotone
// cubic through the DACs a typical amplifier needs for the calibration's power levels, straight
// beyond its ends, rounding off into saturation at the top and held at a floor at the bottom.
// Smooth and monotonic, so a binary search on the DAC converges.
class PaCurve {
public:
    // points: rising DACs; the last one is the reference point the variation scales about.
    PaCurve(std::span<const PaPoint> points, double saturationDbm);

    // Power at the antenna for the DAC, on a channel at the band position given. The unit's
    // variation moves the curve along the DAC axis, scales its dB span below the reference
    // point, adds its response across the band and moves its saturation.
    double OutputDbm(const PaVariation& unit, int dac, double bandPosition) const;

private:
    double NominalDbm(double dac) const;

    std::span<const PaPoint> points_;
    std::vector<double> tangents_;
    double saturationDbm_;
};

const PaCurve& GsmPaCurve();
const PaCurve& DcsPaCurve();
