#pragma once

#include <QList>

// The instrument's amplitude offset: gains in dB (negative = a loss) at frequencies, paired in
// the order given, linear in between and flat beyond the ends. It applies to the levels the
// instrument generates and to what it measures, and presets leave it as it is.
class AmplitudeOffset {
public:
    void SetFrequencies(const QList<double>& hz) { frequenciesHz_ = hz; }
    void SetGains(const QList<double>& db) { gainsDb_ = db; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    const QList<double>& Frequencies() const { return frequenciesHz_; }
    const QList<double>& Gains() const { return gainsDb_; }
    bool Enabled() const { return enabled_; }

    // The offset at a frequency: 0 while it is off or has no point.
    double GainDb(double hz) const;

private:
    QList<double> frequenciesHz_{900e6};
    QList<double> gainsDb_{0.0};
    bool enabled_ = false;
};
