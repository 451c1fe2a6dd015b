#include "sim/model/Transmitter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kFloorDbm = -60.0;         // leakage with the amplifier controlled off
constexpr double kSaturationSoftness = 0.5; // dB over which the output bends into saturation

// A typical amplifier at the power levels of the calibration: GSM PCL 19..5, DCS PCL 15..0.
constexpr PaPoint kGsmPoints[] = {
    {376, 5.0},  {391, 7.0},  {406, 9.0},  {416, 11.0}, {428, 13.0},
    {438, 15.0}, {449, 17.0}, {466, 19.0}, {483, 21.0}, {503, 23.0},
    {523, 25.0}, {546, 27.0}, {569, 29.0}, {592, 31.0}, {600, 31.9},
};
constexpr PaPoint kDcsPoints[] = {
    {352, 0.5},  {360, 2.3},  {368, 4.0},  {380, 6.0},  {392, 8.0},  {407, 10.0},
    {422, 12.0}, {441, 14.0}, {460, 16.0}, {482, 18.0}, {502, 20.0}, {525, 22.0},
    {548, 24.0}, {571, 26.0}, {591, 28.0}, {605, 29.0},
};

double Secant(const PaPoint& a, const PaPoint& b) {
    return (b.dbm - a.dbm) / (b.dac - a.dac);
}

// Fritsch-Butland tangents: a weighted harmonic mean of the neighbouring secants keeps the
// cubic pieces monotone; the ends take their secant.
std::vector<double> Tangents(std::span<const PaPoint> p) {
    const std::size_t n = p.size();
    if (n < 2)
        return std::vector<double>(n, 0.0);
    std::vector<double> m(n, Secant(p[n - 2], p[n - 1]));
    m[0] = Secant(p[0], p[1]);
    for (std::size_t k = 1; k + 1 < n; ++k) {
        const double h0 = p[k].dac - p[k - 1].dac;
        const double h1 = p[k + 1].dac - p[k].dac;
        const double d0 = Secant(p[k - 1], p[k]);
        const double d1 = Secant(p[k], p[k + 1]);
        m[k] =
            d0 * d1 <= 0.0 ? 0.0 : 3.0 * (h0 + h1) / ((2.0 * h1 + h0) / d0 + (h1 + 2.0 * h0) / d1);
    }
    return m;
}

// A smooth minimum: follows p well below the limit and approaches the limit above it.
double SoftLimit(double p, double limit) {
    return limit - kSaturationSoftness * std::log1p(std::exp((limit - p) / kSaturationSoftness));
}

} // namespace

PaCurve::PaCurve(std::span<const PaPoint> points, double saturationDbm)
    : points_(points), tangents_(Tangents(points)), saturationDbm_(saturationDbm) {}

double PaCurve::NominalDbm(double dac) const {
    const std::span<const PaPoint> p = points_;
    const std::vector<double>& m = tangents_;
    if (dac <= p.front().dac)
        return p.front().dbm + m.front() * (dac - p.front().dac);
    if (dac >= p.back().dac)
        return p.back().dbm + m.back() * (dac - p.back().dac);
    const auto upper = std::upper_bound(
        p.begin(), p.end(), dac, [](double d, const PaPoint& point) { return d < point.dac; });
    const auto k = static_cast<std::size_t>(upper - p.begin()) - 1;
    const double h = p[k + 1].dac - p[k].dac;
    const double t = (dac - p[k].dac) / h;
    const double t2 = t * t;
    const double t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * p[k].dbm + (t3 - 2 * t2 + t) * h * m[k] +
           (-2 * t3 + 3 * t2) * p[k + 1].dbm + (t3 - t2) * h * m[k + 1];
}

double PaCurve::OutputDbm(const PaVariation& unit, int dac, double bandPosition) const {
    const double reference = points_.back().dbm;
    const double raw = reference +
                       unit.slopeFactor * (NominalDbm(dac - unit.dacShift) - reference) +
                       unit.response.At(bandPosition);
    return SoftLimit(std::max(raw, kFloorDbm), saturationDbm_ + unit.saturationDb);
}

const PaCurve& GsmPaCurve() {
    static const PaCurve curve(kGsmPoints, 35.0);
    return curve;
}

const PaCurve& DcsPaCurve() {
    static const PaCurve curve(kDcsPoints, 32.0);
    return curve;
}
