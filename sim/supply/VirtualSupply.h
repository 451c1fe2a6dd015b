#pragma once

#include "sim/scpi/VirtualInstrument.h"
#include "sim/supply/SupplyLoad.h"
#include "sim/supply/SupplyModels.h"

#include <QByteArray>
#include <QString>

#include <span>
#include <vector>

// A virtual bench supply of one of the station's models: powers the bench's unit from its first
// output (the single output, or +6V of the E3631A). Before any command it is on at 4.18 V with
// 3 A, as a bench left alone is.
class VirtualSupply final : public VirtualInstrument {
public:
    VirtualSupply(VirtualSupplyModel model, SupplyLoad& load);

    // "66311B", "E3631A", ...
    static const char* ModelName(VirtualSupplyModel model);
    // Case-insensitive, with or without the leading "E": "e3633a" and "3633A" both name the
    // E3633A.
    static bool ParseModel(const QString& name, VirtualSupplyModel* model);

    static constexpr double kIdleVolts = 4.18;
    static constexpr double kIdleAmps = 3.0;

private:
    using Command = ScpiCommand<VirtualSupply>;
    struct Output {
        double volts;
        double amps;
    };
    // The commands of a model; only one with several outputs selects them.
    static std::span<const Command> Commands(bool severalOutputs); // VirtualSupplyOutputs.cpp

    int Execute(const ScpiUnit& unit, QByteArray* reply) override;
    bool HasSelection() const { return ratings_.outputs.size() > 1; }
    void UpdateLoad();

    // Parameters, queueing nothing: 0 or the error to queue.
    static int Level(const ScpiUnit& unit, double limit, double* value);
    int OutputNamed(const QByteArray& name, int* index) const;
    // The output a measurement names, or the selected one.
    int MeasuredOutput(const ScpiUnit& unit, int* index) const;

    // *RST (VirtualSupply.cpp).
    int Reset(const ScpiUnit&, QByteArray*);

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

    const SupplyModelRatings& ratings_;
    SupplyLoad& load_;
    std::vector<Output> outputs_;
    int selected_ = 0;
    bool outputOn_ = true;
};
