#pragma once

#include <optional>

// What the virtual 4400 needs of the bench's physical model: the target's side of the RF cable.
// Every level is at the target's antenna port; the cable between it and the instrument is the
// virtual instrument's own (Virtual4400::SetCableLossDb). Called with the instrument's lock held,
// from the thread that feeds it lines or sets up the bench.
class RadioPath {
public:
    virtual ~RadioPath();

    // What the target sends into its antenna port now, in dBm, and on which carrier (Hz; 0 while
    // it does not transmit).
    virtual double TransmittedPowerDbm() const = 0;
    virtual double TransmitFrequencyHz() const = 0;
    // Whether the target's carrier lies within the GSM channel centred on hz, all that a
    // measurement tuned there sees.
    bool TransmitsOnChannel(double hz) const;
    // The cell's downlink level at the antenna port; kCellOffDbm while there is no cell.
    virtual void SetCellPowerDbm(double levelDbm) = 0;
    virtual void SetCwGenerator(bool on, double frequencyHz, double levelDbm) = 0;
    // Whether the target has started a call (and not given it up since).
    virtual bool CallStarted() const = 0;
    // The RXLEV (0 to 63) the target reports in a call; none outside one.
    virtual std::optional<int> ReportedRxLev() const = 0;

    // Far below any receiver's sensitivity, and still a number a model can compute with.
    static constexpr double kCellOffDbm = -200.0;
};
