#pragma once

#include "AmplitudeOffset.h"
#include "RadioPath.h"
#include "ScpiErrorQueue.h"
#include "ScpiInstrument.h"
#include "ScpiMessage.h"
#include "ScpiQuantity.h"
#include "Virtual8960State.h"

#include <QByteArray>
#include <QList>
#include <QMutex>

#include <optional>
#include <span>

// The virtual Agilent 8960 with its GSM test application: parses the SCPI lines it receives on
// its own, keeps a real error queue, and measures and generates through the bench's physical
// model. Every public member is safe to call from any thread: tests talk to it while its server
// runs in another.
class Virtual8960 final : public ScpiInstrument {
public:
    explicit Virtual8960(RadioPath& radio);

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

    // The bench's RF cable, positive dB, by band (GSM: below 1 GHz).
    void SetCableLossDb(double gsmLossDb, double dcsLossDb);

    static constexpr const char* kIdentity =
        "Agilent Technologies,8960 Series 10 E5515B,GB44051234,0";

private:
    using Handler = int (Virtual8960::*)(const ScpiUnit& unit, QByteArray* reply);
    struct Command {
        const char* pattern;
        bool query;
        int minParameters;
        int maxParameters;
        Handler handler;
    };
    static std::span<const Command> Commands(); // Virtual8960Commands.cpp

    int Execute(const ScpiUnit& unit, QByteArray* reply);
    const Command* Find(const ScpiUnit& unit) const;
    void Queue(int code);

    // Parameters, queueing nothing: 0 or the error to queue.
    static int Number(const QByteArray& text, Unit unit, double low, double high, double* value);
    static int Integer(const QByteArray& text, int low, int high, int* value);
    static int Choice(const QByteArray& text, const QList<QByteArray>& words, QByteArray* word);
    static int Boolean(const QByteArray& text, bool* value);

    // The physical side (Virtual8960Radio.cpp).
    double CableLossDb(double hz) const;
    // What reaches the target of a level set on the instrument, at a frequency.
    double LevelAtTargetDbm(double levelDbm, double hz) const;
    double GeneratorHz() const;
    bool Connected() const;
    void UpdateRadio();

    // Common commands, errors and presets (Virtual8960.cpp).
    int Identify(const ScpiUnit&, QByteArray* reply);
    int Reset(const ScpiUnit&, QByteArray*);
    int PartialPreset(const ScpiUnit&, QByteArray*);
    int OperationComplete(const ScpiUnit&, QByteArray* reply);
    int ClearStatus(const ScpiUnit&, QByteArray*);
    int NextError(const ScpiUnit&, QByteArray* reply);
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

    mutable QMutex mutex_;
    RadioPath& radio_;
    Virtual8960State state_;
    AmplitudeOffset offset_;
    ScpiErrorQueue errors_;
    QList<QByteArray> received_;
    QByteArray identity_ = kIdentity;
    double gsmCableLossDb_ = 0.0;
    double dcsCableLossDb_ = 0.0;
    int failNextCommand_ = 0;
    int dropReplies_ = 0;
    bool silent_ = false;
};
