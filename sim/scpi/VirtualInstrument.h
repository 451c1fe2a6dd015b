#pragma once

#include "sim/scpi/ScpiCommand.h"
#include "sim/scpi/ScpiErrorQueue.h"
#include "sim/scpi/ScpiInstrument.h"
#include "sim/scpi/ScpiMessage.h"
#include "sim/scpi/ScpiQuantity.h"

#include <QByteArray>
#include <QList>
#include <QLoggingCategory>
#include <QMutex>

#include <optional>
#include <span>

// What every virtual instrument does alike: it parses the lines it receives on its own, keeps
// them, keeps a real error queue and answers the common commands (but *RST), fails on request,
// and carries each program message unit of a line out through its own command table (Execute).
// Every public member is safe to call from any thread: tests talk to an instrument while its
// server runs in another. Execute runs with Mutex() held, as must whatever touches the state.
class VirtualInstrument : public ScpiInstrument {
public:
    std::optional<QByteArray> Receive(const QByteArray& line) final;

    // The lines received, in order: the last kKeptLines of them, so that a soak of many units
    // does not grow the bench without end.
    static constexpr int kKeptLines = 1000;
    QList<QByteArray> ReceivedLines() const;
    void ClearReceivedLines();

    // Faults on request. The next command (a unit that is no query) is not carried out and
    // queues code instead.
    void FailNextCommand(int code = ScpiError::kExecution);
    // The measurements numbered in numbers fail, counted from 1 from this call on in the order
    // the instrument takes them; each fails as the instrument's own failed measurement does.
    void FailMeasurements(const QList<int>& numbers);
    // The next count replies are not sent.
    void DropNextReplies(int count);
    // Nothing is answered at all while silent.
    void SetSilent(bool silent);
    void SetIdentity(const QByteArray& identity);

protected:
    // name: how the trace of the lines names the instrument.
    VirtualInstrument(QByteArray identity, QMessageLogger::CategoryFunction trace, QByteArray name);

    // Carries out a unit that is no common command: 0 or the error to queue.
    virtual int Execute(const ScpiUnit& unit, QByteArray* reply) = 0;

    QMutex& Mutex() const { return mutex_; }
    // Counts one measurement; true when it is one of those to fail.
    bool MeasurementFails();
    void Queue(int code);
    // An error of the instrument's own (a positive code), with its text.
    void Queue(int code, const QByteArray& text);

    // Parameters, queueing nothing: 0 or the error to queue (VirtualInstrumentParameters.cpp).
    static int Number(const QByteArray& text, Unit unit, double low, double high, double* value);
    static int Integer(const QByteArray& text, int low, int high, int* value);
    static int Choice(const QByteArray& text, const QList<QByteArray>& words, QByteArray* word);
    static int Boolean(const QByteArray& text, bool* value);

private:
    using Command = ScpiCommand<VirtualInstrument>;
    static std::span<const Command> CommonCommands();

    int ExecuteUnit(const ScpiUnit& unit, QByteArray* reply);
    std::optional<QByteArray> Answer(const QList<QByteArray>& replies);

    int Identify(const ScpiUnit&, QByteArray* reply);
    int OperationComplete(const ScpiUnit&, QByteArray* reply);
    int ClearStatus(const ScpiUnit&, QByteArray*);
    int NextError(const ScpiUnit&, QByteArray* reply);

    mutable QMutex mutex_;
    const QMessageLogger::CategoryFunction trace_;
    const QByteArray name_;
    ScpiErrorQueue errors_;
    QList<QByteArray> received_;
    QByteArray identity_;
    int failNextCommand_ = 0;
    QList<int> failedMeasurements_;
    int measurements_ = 0;
    int dropReplies_ = 0;
    bool silent_ = false;
};
