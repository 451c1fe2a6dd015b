#pragma once

#include "RadioPath.h"
#include "ScpiErrorQueue.h"
#include "ScpiInstrument.h"
#include "ScpiMessage.h"
#include "Virtual4400State.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QMutex>

#include <optional>
#include <span>
#include <utility>
#include <vector>

// The virtual Willtek 4400: parses the SCPI lines it receives on its own, keeps a real error
// queue, and measures and generates through the bench's physical model. Every public member is
// safe to call from any thread: tests talk to it while its server runs in another.
class Virtual4400 final : public ScpiInstrument {
public:
    explicit Virtual4400(RadioPath& radio);

    std::optional<QByteArray> Receive(const QByteArray& line) override;

    // Every line received, in order.
    QList<QByteArray> ReceivedLines() const;
    void ClearReceivedLines();

    // Faults on request. The next command (a unit that is no query) is not carried out and
    // queues code instead.
    void FailNextCommand(int code = ScpiError::kExecution);
    // The next count replies are not sent.
    void DropNextReplies(int count);
    // Nothing is answered at all while silent.
    void SetSilent(bool silent);
    void SetIdentity(const QByteArray& identity);

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
    using Handler = int (Virtual4400::*)(const ScpiUnit& unit, QByteArray* reply);
    struct Command {
        const char* pattern;
        bool query;
        int minParameters;
        int maxParameters;
        Handler handler;
    };
    using LossTable = std::vector<std::pair<double, double>>; // MHz, dB, by frequency
    static std::span<const Command> Commands();               // Virtual4400Commands.cpp

    int Execute(const ScpiUnit& unit, QByteArray* reply);
    const Command* Find(const ScpiUnit& unit) const;
    void Queue(int code);

    // Parameters, queueing nothing: 0 or the error to queue.
    static int Number(const ScpiUnit& unit, int index, double low, double high, double* value);
    static int Integer(const ScpiUnit& unit, int index, int low, int high, int* value);
    static int Choice(const ScpiUnit& unit, const QList<QByteArray>& words, QByteArray* word);
    static int Boolean(const ScpiUnit& unit, bool* value);

    // The physical side.
    bool CellOn() const;
    bool Connected();
    double CableLossDb(double hz) const;
    double CouplingLossDb(double hz) const;
    double MeasuredTxPowerDbm() const;
    void UpdateRadio();

    // Common commands, errors and status (Virtual4400.cpp).
    int Identify(const ScpiUnit&, QByteArray* reply);
    int Reset(const ScpiUnit&, QByteArray*);
    int OperationComplete(const ScpiUnit&, QByteArray* reply);
    int ClearStatus(const ScpiUnit&, QByteArray*);
    int NextError(const ScpiUnit&, QByteArray* reply);

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

    mutable QMutex mutex_;
    RadioPath& radio_;
    Virtual4400State state_;
    ScpiErrorQueue errors_;
    QList<QByteArray> received_;
    QByteArray identity_ = kIdentity;
    QMap<QByteArray, LossTable> couplingTables_;
    double gsmCableLossDb_ = 0.0;
    double dcsCableLossDb_ = 0.0;
    int readyAfterPolls_ = 0;
    int failNextCommand_ = 0;
    int dropReplies_ = 0;
    bool silent_ = false;
};
