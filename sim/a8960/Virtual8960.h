#pragma once

#include "sim/a8960/AmplitudeOffset.h"
#include "sim/a8960/RealReply.h"
#include "sim/a8960/Virtual8960State.h"
#include "sim/scpi/VirtualInstrument.h"
#include "sim/wt4400/RadioPath.h"

#include <QByteArray>

#include <span>

// The virtual Agilent 8960 with its GSM test application: measures and generates through the
// bench's physical model.
class Virtual8960 final : public VirtualInstrument {
public:
    explicit Virtual8960(RadioPath& radio);

    // The bench's RF cable, positive dB, by band (GSM: below 1 GHz).
    void SetCableLossDb(double gsmLossDb, double dcsLossDb);

    static constexpr const char* kIdentity =
        "Agilent Technologies,8960 Series 10 E5515B,GB44051234,0";

private:
    using Command = ScpiCommand<Virtual8960>;
    static std::span<const Command> Commands(); // Virtual8960Commands.cpp

    int Execute(const ScpiUnit& unit, QByteArray* reply) override;

    // The physical side (Virtual8960Radio.cpp).
    double CableLossDb(double hz) const;
    // What reaches the target of a level set on the instrument, at a frequency.
    double LevelAtTargetDbm(double levelDbm, double hz) const;
    double GeneratorHz() const;
    bool Connected() const;
    void UpdateRadio();

    // Presets (Virtual8960.cpp).
    int Reset(const ScpiUnit&, QByteArray*);
    int PartialPreset(const ScpiUnit&, QByteArray*);
    // Commands the model has nothing to do for: measurements are made when they are read, and
    // call states settle at once.
    int Accept(const ScpiUnit&, QByteArray*);

    // Mode, bands, channels, cell power, generator and offsets (Virtual8960Cell.cpp).
    int SetMode(const ScpiUnit& unit, QByteArray*);
    int QueryMode(const ScpiUnit&, QByteArray* reply);
    int SetDownlink(const ScpiUnit& unit, QByteArray*);
    int QueryDownlink(const ScpiUnit&, QByteArray* reply);
    int SetBand(const ScpiUnit& unit, QByteArray*);
    int QueryBand(const ScpiUnit& unit, QByteArray* reply);
    int SetPerBand(const ScpiUnit& unit, QByteArray*);
    int QueryPerBand(const ScpiUnit& unit, QByteArray* reply);
    int SetCellPower(const ScpiUnit& unit, QByteArray*);
    int QueryCellPower(const ScpiUnit&, QByteArray* reply);
    int SetCellState(const ScpiUnit& unit, QByteArray*);
    int QueryCellState(const ScpiUnit&, QByteArray* reply);
    int SetGeneratorFrequency(const ScpiUnit& unit, QByteArray*);
    int QueryGeneratorFrequency(const ScpiUnit&, QByteArray* reply);
    int SetOffsetFrequencies(const ScpiUnit& unit, QByteArray*);
    int QueryOffsetFrequencies(const ScpiUnit&, QByteArray* reply);
    int SetOffsetGains(const ScpiUnit& unit, QByteArray*);
    int QueryOffsetGains(const ScpiUnit&, QByteArray* reply);
    int SetOffsetState(const ScpiUnit& unit, QByteArray*);
    int QueryOffsetState(const ScpiUnit&, QByteArray* reply);

    // Measurements, the call and the target's reports (Virtual8960Radio.cpp).
    int ReadTxPower(const ScpiUnit&, QByteArray* reply);
    int QueryConnected(const ScpiUnit&, QByteArray* reply);
    int SetConnectTimeout(const ScpiUnit& unit, QByteArray*);
    int QueryConnectTimeout(const ScpiUnit&, QByteArray* reply);
    int ReportedRxLevel(const ScpiUnit&, QByteArray* reply);
    int FailedMeasurement(const QByteArray& noValue, QByteArray* reply);

    RadioPath& radio_;
    Virtual8960State state_;
    AmplitudeOffset offset_;
    double gsmCableLossDb_ = 0.0;
    double dcsCableLossDb_ = 0.0;
};
