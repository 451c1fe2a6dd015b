#include "records/RecordSpc.h"

#include "autocal/CalibrationCodes.h"
#include "autocal/CalibrationPoints.h"
#include "records/RecordValues.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kNineOnOneSide = 9;
constexpr int kSixInARow = 6;

// +1 above the centre, -1 below, 0 on it.
int SideOf(double value, double centre) {
    return value > centre ? 1 : (value < centre ? -1 : 0);
}

bool BeyondOnSide(double value, const ControlLimits& limits, int sigmas, int side) {
    return side > 0 ? value > limits.Upper(sigmas) : value < limits.Lower(sigmas);
}

bool TwoOfThreeBeyondTwoSigma(const QList<double>& values, int index, const ControlLimits& limits) {
    if (index < 2)
        return false;
    // Only when this point is one of the two, so that a pair is marked once.
    const int side = SideOf(values[index], limits.centre);
    if (side == 0 || !BeyondOnSide(values[index], limits, 2, side))
        return false;
    const int beyond = static_cast<int>(
        std::count_if(values.begin() + index - 2, values.begin() + index + 1,
                      [&](double value) { return BeyondOnSide(value, limits, 2, side); }));
    return beyond >= 2;
}

} // namespace

ControlLimits LimitsFromSums(int count, double sum, double sumOfSquares) {
    ControlLimits limits;
    limits.count = count;
    if (count < 2)
        return limits;
    limits.centre = sum / count;
    const double variance = (sumOfSquares - sum * limits.centre) / (count - 1);
    limits.sigma = std::sqrt(std::max(variance, 0.0));
    return limits;
}

ControlLimits LimitsOf(const QList<double>& baseline) {
    double sum = 0.0;
    double squares = 0.0;
    for (const double value : baseline) {
        sum += value;
        squares += value * value;
    }
    return LimitsFromSums(static_cast<int>(baseline.size()), sum, squares);
}

QString RuleText(SpcRule rule) {
    switch (rule) {
    case SpcRule::BeyondThreeSigma:
        return QStringLiteral("one beyond 3 sigma");
    case SpcRule::NineOnOneSide:
        return QStringLiteral("nine in a row on one side of the centre");
    case SpcRule::SixInARow:
        return QStringLiteral("six in a row rising or falling");
    case SpcRule::TwoOfThreeBeyondTwoSigma:
        return QStringLiteral("two of three beyond 2 sigma on one side");
    }
    return {};
}

QList<RuleBreak> RuleBreaks(const QList<double>& values, const ControlLimits& limits) {
    QList<RuleBreak> breaks;
    if (!limits.Valid())
        return breaks;
    int sameSide = 0;
    int trend = 1; // points in the current strictly rising or falling run
    int direction = 0;
    for (int i = 0; i < values.size(); ++i) {
        const double value = values[i];
        const int side = SideOf(value, limits.centre);
        sameSide = side != 0 && i > 0 && side == SideOf(values[i - 1], limits.centre)
                       ? sameSide + 1
                       : (side != 0 ? 1 : 0);
        const int step = i > 0 ? SideOf(value, values[i - 1]) : 0;
        trend = step != 0 && step == direction ? trend + 1 : (step != 0 ? 2 : 1);
        direction = step;
        if (std::abs(value - limits.centre) > 3 * limits.sigma)
            breaks << RuleBreak{i, SpcRule::BeyondThreeSigma};
        if (sameSide >= kNineOnOneSide)
            breaks << RuleBreak{i, SpcRule::NineOnOneSide};
        if (trend >= kSixInARow)
            breaks << RuleBreak{i, SpcRule::SixInARow};
        if (TwoOfThreeBeyondTwoSigma(values, i, limits))
            breaks << RuleBreak{i, SpcRule::TwoOfThreeBeyondTwoSigma};
    }
    return breaks;
}

std::optional<AcceptWindow> AcceptWindowOf(const QString& valueName) {
    if (valueName.startsWith(QLatin1String("gmagic.")))
        return AcceptWindow{185.0, 206.0};
    if (valueName.startsWith(QLatin1String("rx.")))
        return AcceptWindow{-20.0, 20.0};
    if (valueName.startsWith(QLatin1String("apc.")))
        return AcceptWindow{100.0, 800.0};
    return std::nullopt;
}

Capability CapabilityOf(const QList<double>& values, const AcceptWindow& window) {
    Capability capability;
    if (values.isEmpty())
        return capability;
    const ControlLimits spread = LimitsOf(values);
    if (spread.Valid() && spread.sigma > 0.0)
        capability.cpk = std::min(window.high - spread.centre, spread.centre - window.low) /
                         (3.0 * spread.sigma);
    const double margin = window.Margin();
    const auto nearEdge = [&](double value) {
        return value >= window.low && value <= window.high &&
               (value < window.low + margin || value > window.high - margin);
    };
    capability.nearEdgeShare =
        static_cast<double>(std::count_if(values.begin(), values.end(), nearEdge)) /
        static_cast<double>(values.size());
    return capability;
}

QStringList ControlledValueNames() {
    QStringList names{GmagicValueName(kBandEgsm), GmagicValueName(kBandDcs)};
    for (int index = 0; index < kRxChannels; ++index)
        names << RxValueName(index);
    for (int sub = 1; sub <= 3; ++sub)
        for (const int level : kGsmReferenceLevels)
            names << ApcValueName(kBandEgsm, sub, level);
    for (int sub = 1; sub <= 3; ++sub)
        for (const int level : kDcsReferenceLevels)
            names << ApcValueName(kBandDcs, sub, level - kDcsLevelBase);
    return names;
}
