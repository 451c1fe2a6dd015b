#pragma once

#include "sim/scpi/VirtualInstrument.h"
#include "sim/wt4400/RadioPath.h"
#include "sim/wt4400/Virtual4400State.h"

#include <QByteArray>
#include <QMap>

#include <optional>
#include <span>
#include <utility>
#include <vector>

// The virtual Willtek 4400: measures and generates through the bench's physical model.
class Virtual4400 final : public VirtualInstrument {
public:
    explicit Virtual4400(RadioPath& radio);

    // The bench: the loss of the RF cable (dB, positive; GSM below 1 GHz, DCS above), the
    // coupling tables prepared on the instrument (a flat loss per band) and how many condition
    // queries a new call system takes to report ready.
    void SetCableLossDb(double gsmLossDb, double dcsLossDb);
    void SetCableLossDb(double lossDb) { SetCableLossDb(lossDb, lossDb); }
    void SetCouplingTable(const QByteArray& name, double gsmLossDb, double dcsLossDb);
    void SetCouplingTable(const QByteArray& name, double lossDb) {
        SetCouplingTable(name, lossDb, lossDb);
    }
    void SetReadyAfterPolls(int polls);

    static constexpr const char* kIdentity = "WILLTEK,4400M,440012345,1.7";
    static constexpr int kReadyBit = 0x1000;
    static constexpr int kConnectedBit = 4;

private:
    using Command = ScpiCommand<Virtual4400>;
    using Handler = int (Virtual4400::*)(const ScpiUnit& unit, QByteArray* reply);
    using LossTable = std::vector<std::pair<double, double>>; // MHz, dB, by frequency
    static std::span<const Command> Commands();               // Virtual4400Commands.cpp

    int Execute(const ScpiUnit& unit, QByteArray* reply) override;

    // The physical side.
    bool GeneratorSends() const;
    bool CellOn() const;
    bool Connected();
    double CableLossDb(double hz) const;
    double CouplingLossDb(double hz) const;
    std::optional<double> MeasuredTxPowerDbm() const;
    void UpdateRadio();

    // *RST, and the bench's settings (Virtual4400.cpp).
    int Reset(const ScpiUnit&, QByteArray*);

    // Call system, calls and reports (Virtual4400Calls.cpp).
    int SelectCallSystem(const ScpiUnit& unit, QByteArray*);
    int OperationCondition(const ScpiUnit&, QByteArray* reply);
    int SignallingCondition(const ScpiUnit&, QByteArray* reply);
    int GprsCondition(const ScpiUnit&, QByteArray* reply);
    int Originate(const ScpiUnit&, QByteArray*);
    int Release(const ScpiUnit&, QByteArray*);
    int Resignal(const ScpiUnit&, QByteArray*);
    int MsReport(const ScpiUnit& unit, QByteArray* reply);
    int MeasureTxPower(const ScpiUnit&, QByteArray*);
    int FetchTxPower(const ScpiUnit&, QByteArray* reply);
    int MeasureTxPowerArray(const ScpiUnit& unit, QByteArray*);
    int Statistic(const ScpiUnit& unit, QByteArray* reply);
    int NoResult(QByteArray* reply);

    // Coupling, generator and base station (Virtual4400Radio.cpp).
    int SetCouplingName(const ScpiUnit& unit, QByteArray*);
    int SetCouplingState(const ScpiUnit& unit, QByteArray*);
    int SetCouplingLoss(const ScpiUnit& unit, QByteArray*);
    int SetGeneratorState(const ScpiUnit& unit, QByteArray*);
    // The settings kept in the tables of Virtual4400Settings.cpp, and their queries.
    int SetWordSetting(const ScpiUnit& unit, QByteArray*);
    int SetNumberSetting(const ScpiUnit& unit, QByteArray*);
    int SetRealSetting(const ScpiUnit& unit, QByteArray*);
    int QuerySetting(const ScpiUnit& unit, QByteArray* reply);
    int AssignAll(const ScpiUnit& unit, QByteArray*);
    int SetCellIdentity(const ScpiUnit& unit, QByteArray*);

    RadioPath& radio_;
    Virtual4400State state_;
    QMap<QByteArray, LossTable> couplingTables_;
    double gsmCableLossDb_ = 0.0;
    double dcsCableLossDb_ = 0.0;
    int readyAfterPolls_ = 0;
};
