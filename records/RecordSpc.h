#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Statistical process control over the series of one calibration value, in run order: the
// limits a baseline sets, the runs that break the rules against them, and the capability
// against the station's accept window. Pure functions, so that made-up series test them.

// Centre line and sigma of a baseline; fewer than two values give no limits.
struct ControlLimits {
    int count = 0;
    double centre = 0.0;
    double sigma = 0.0;
    bool Valid() const { return count >= 2; }
    double Upper(int sigmas) const { return centre + sigmas * sigma; }
    double Lower(int sigmas) const { return centre - sigmas * sigma; }
};
// From the count, sum and sum of squares, as the database adds them up.
ControlLimits LimitsFromSums(int count, double sum, double sumOfSquares);
ControlLimits LimitsOf(const QList<double>& baseline);

enum class SpcRule { BeyondThreeSigma, NineOnOneSide, SixInARow, TwoOfThreeBeyondTwoSigma };
inline constexpr SpcRule kSpcRules[] = {SpcRule::BeyondThreeSigma, SpcRule::NineOnOneSide,
                                        SpcRule::SixInARow, SpcRule::TwoOfThreeBeyondTwoSigma};
QString RuleText(SpcRule rule);

// A rule broken at the point that completes it (the ninth on one side, the sixth rising).
struct RuleBreak {
    int index = 0;
    SpcRule rule = SpcRule::BeyondThreeSigma;
};
QList<RuleBreak> RuleBreaks(const QList<double>& values, const ControlLimits& limits);

// The range a unit's value must fall in for the run to pass.
struct AcceptWindow {
    double low = 0.0;
    double high = 0.0;
    // A tenth of the window: a unit that close to an edge is one small drift (another cable,
    // another day's instrument) away from failing, and the tenth scales with each window.
    double Margin() const { return (high - low) / 10.0; }
};
// GMAGIC 185 to 206, RX -20 to 20, APC DAC 100 to 800; none for other values.
std::optional<AcceptWindow> AcceptWindowOf(const QString& valueName);

struct Capability {
    std::optional<double> cpk;  // none with fewer than two values or no spread at all
    double nearEdgeShare = 0.0; // of the values, those inside the window within its margin
};
Capability CapabilityOf(const QList<double>& values, const AcceptWindow& window);

// Every value the control charts follow: GMAGIC per band, the RX channels, the APC DAC at each
// reference level and sub-band, by their stored names.
QStringList ControlledValueNames();
