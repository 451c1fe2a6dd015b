#pragma once

#include "ScpiErrorQueue.h"
#include "ScpiInstrument.h"
#include "ScpiMessage.h"
#include "SupplyHeader.h"
#include "SupplyLoad.h"
#include "SupplyModels.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QString>

#include <optional>
#include <vector>

// A virtual bench supply of one of the station's models: parses the SCPI lines it receives on its
// own, keeps a real error queue, and powers the bench's unit from its first output (the single
// output, or +6V of the E3631A). Before any command it is on at 4.18 V with 3 A, as a bench left
// alone is. Every public member is safe to call from any thread.
class VirtualSupply final : public ScpiInstrument {
public:
    VirtualSupply(VirtualSupplyModel model, SupplyLoad& load);

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

    // "66311B", "E3631A", ...
    static const char* ModelName(VirtualSupplyModel model);
    // Case-insensitive, with or without the leading "E": "e3633a" and "3633A" both name the
    // E3633A.
    static bool ParseModel(const QString& name, VirtualSupplyModel* model);

    static constexpr double kIdleVolts = 4.18;
    static constexpr double kIdleAmps = 3.0;

private:
    using Handler = int (VirtualSupply::*)(const ScpiUnit& unit, QByteArray* reply);
    struct Command {
        SupplyHeader header;
        bool query;
        int minParameters;
        int maxParameters;
        bool needsSelection; // only on a model with several outputs
        Handler handler;
    };
    struct Output {
        double volts;
        double amps;
    };
    static const std::vector<Command>& Commands(); // VirtualSupplyOutputs.cpp

    int Execute(const ScpiUnit& unit, QByteArray* reply);
    const Command* Find(const ScpiUnit& unit) const;
    void Queue(int code);
    bool HasSelection() const { return spec_.outputs.size() > 1; }
    void UpdateLoad();

    // Parameters, queueing nothing: 0 or the error to queue.
    static int Level(const ScpiUnit& unit, double limit, double* value);
    int OutputNamed(const QByteArray& name, int* index) const;
    // The output a measurement names, or the selected one.
    int MeasuredOutput(const ScpiUnit& unit, int* index) const;

    // Common commands and errors (VirtualSupply.cpp).
    int Identify(const ScpiUnit&, QByteArray* reply);
    int Reset(const ScpiUnit&, QByteArray*);
    int OperationComplete(const ScpiUnit&, QByteArray* reply);
    int ClearStatus(const ScpiUnit&, QByteArray*);
    int NextError(const ScpiUnit&, QByteArray* reply);

    // Outputs and measurements (VirtualSupplyOutputs.cpp).
    int SetVoltage(const ScpiUnit& unit, QByteArray*);
    int QueryVoltage(const ScpiUnit&, QByteArray* reply);
    int SetCurrent(const ScpiUnit& unit, QByteArray*);
    int QueryCurrent(const ScpiUnit&, QByteArray* reply);
    int SetOutputState(const ScpiUnit& unit, QByteArray*);
    int QueryOutputState(const ScpiUnit&, QByteArray* reply);
    int SelectByName(const ScpiUnit& unit, QByteArray*);
    int QuerySelectedName(const ScpiUnit&, QByteArray* reply);
    int SelectByNumber(const ScpiUnit& unit, QByteArray*);
    int QuerySelectedNumber(const ScpiUnit&, QByteArray* reply);
    int MeasureCurrent(const ScpiUnit& unit, QByteArray* reply);
    int MeasureVoltage(const ScpiUnit& unit, QByteArray* reply);

    mutable QMutex mutex_;
    const SupplyModelSpec& spec_;
    SupplyLoad& load_;
    ScpiErrorQueue errors_;
    QList<QByteArray> received_;
    QByteArray identity_;
    std::vector<Output> outputs_;
    int selected_ = 0;
    bool outputOn_ = true;
    int failNextCommand_ = 0;
    int dropReplies_ = 0;
    bool silent_ = false;
};
