#include "sim/scpi/VirtualInstrument.h"

#include <QMutexLocker>

#include <utility>

namespace {

// Command errors (-100 to -199) end the parsing of a line; execution errors let it go on
// (IEEE 488.2, 6.1.6 and 11.5.1).
bool IsCommandError(int code) {
    return code <= -100 && code > -200;
}

} // namespace

VirtualInstrument::VirtualInstrument(QByteArray identity, QMessageLogger::CategoryFunction trace,
                                     QByteArray name)
    : trace_(trace), name_(std::move(name)), identity_(std::move(identity)) {}

std::span<const VirtualInstrument::Command> VirtualInstrument::CommonCommands() {
    using V = VirtualInstrument;
    static const Command commands[] = {
        {"*IDN", true, 0, 0, &V::Identify},
        {"*OPC", true, 0, 0, &V::OperationComplete},
        {"*CLS", false, 0, 0, &V::ClearStatus},
        {"SYSTem:ERRor[:NEXT]", true, 0, 0, &V::NextError},
    };
    return commands;
}

std::optional<QByteArray> VirtualInstrument::Receive(const QByteArray& line) {
    QMutexLocker lock(&mutex_);
    qCDebug(trace_).noquote() << name_ << "<" << line;
    received_.append(line);
    if (received_.size() > kKeptLines)
        received_.removeFirst();
    int syntaxError = 0;
    const QList<ScpiUnit> units = SplitProgramMessage(line, &syntaxError);
    QList<QByteArray> replies;
    for (const ScpiUnit& unit : units) {
        QByteArray reply;
        const int code = ExecuteUnit(unit, &reply);
        if (code != 0)
            Queue(code);
        if (IsCommandError(code)) {
            syntaxError = 0; // the line ended here, before the unit that does not parse
            break;
        }
        if (code == 0 && !reply.isNull())
            replies.append(reply);
    }
    if (syntaxError != 0)
        Queue(syntaxError);
    return Answer(replies);
}

int VirtualInstrument::ExecuteUnit(const ScpiUnit& unit, QByteArray* reply) {
    if (failNextCommand_ != 0 && !unit.query)
        return std::exchange(failNextCommand_, 0);
    if (const Command* common = FindCommand(CommonCommands(), unit))
        return RunCommand(*this, *common, unit, reply);
    return Execute(unit, reply);
}

std::optional<QByteArray> VirtualInstrument::Answer(const QList<QByteArray>& replies) {
    if (replies.isEmpty() || silent_)
        return std::nullopt;
    if (dropReplies_ > 0) {
        --dropReplies_;
        qCDebug(trace_).noquote() << name_ << "drops its reply";
        return std::nullopt;
    }
    const QByteArray reply = replies.join(';');
    qCDebug(trace_).noquote() << name_ << ">" << reply;
    return reply;
}

void VirtualInstrument::Queue(int code) {
    Queue(code, ScpiError::Text(code));
}

void VirtualInstrument::Queue(int code, const QByteArray& text) {
    qCDebug(trace_).noquote() << name_ << "queues" << code;
    errors_.Push(code, text);
}

QList<QByteArray> VirtualInstrument::ReceivedLines() const {
    QMutexLocker lock(&mutex_);
    return received_;
}

void VirtualInstrument::ClearReceivedLines() {
    QMutexLocker lock(&mutex_);
    received_.clear();
}

void VirtualInstrument::FailNextCommand(int code) {
    QMutexLocker lock(&mutex_);
    failNextCommand_ = code;
}

void VirtualInstrument::FailMeasurements(const QList<int>& numbers) {
    QMutexLocker lock(&mutex_);
    failedMeasurements_ = numbers;
    measurements_ = 0;
}

bool VirtualInstrument::MeasurementFails() {
    ++measurements_;
    if (!failedMeasurements_.contains(measurements_))
        return false;
    qCDebug(trace_).noquote() << name_ << "fails measurement" << measurements_;
    return true;
}

void VirtualInstrument::DropNextReplies(int count) {
    QMutexLocker lock(&mutex_);
    dropReplies_ = count;
}

void VirtualInstrument::SetSilent(bool silent) {
    QMutexLocker lock(&mutex_);
    silent_ = silent;
}

void VirtualInstrument::SetIdentity(const QByteArray& identity) {
    QMutexLocker lock(&mutex_);
    identity_ = identity;
}

int VirtualInstrument::Identify(const ScpiUnit&, QByteArray* reply) {
    *reply = identity_;
    return 0;
}

int VirtualInstrument::OperationComplete(const ScpiUnit&, QByteArray* reply) {
    *reply = "1";
    return 0;
}

int VirtualInstrument::ClearStatus(const ScpiUnit&, QByteArray*) {
    errors_.Clear();
    return 0;
}

int VirtualInstrument::NextError(const ScpiUnit&, QByteArray* reply) {
    *reply = errors_.Pop();
    return 0;
}
