#include "Virtual4400.h"

#include <QMutexLocker>

#include <cmath>

namespace {

// Command errors (-100 to -199) end the parsing of a line; execution errors let it go on
// (IEEE 488.2, 6.1.6 and 11.5.1).
bool IsCommandError(int code) {
    return code <= -100 && code > -200;
}

} // namespace

// The station's coupling table is there from the start, flat at 0 dB until the bench sets it.
Virtual4400::Virtual4400(RadioPath& radio) : radio_(radio) {
    couplingTables_.insert("viable.cpl", {{900.0, 0.0}});
    UpdateRadio();
}

std::optional<QByteArray> Virtual4400::Receive(const QByteArray& line) {
    QMutexLocker lock(&mutex_);
    received_.append(line);
    int syntaxError = 0;
    const QList<ScpiUnit> units = SplitProgramMessage(line, &syntaxError);
    QList<QByteArray> replies;
    for (const ScpiUnit& unit : units) {
        QByteArray reply;
        const int code = Execute(unit, &reply);
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
    if (replies.isEmpty() || silent_)
        return std::nullopt;
    if (dropReplies_ > 0) {
        --dropReplies_;
        return std::nullopt;
    }
    return replies.join(';');
}

const Virtual4400::Command* Virtual4400::Find(const ScpiUnit& unit) const {
    for (const Command& command : Commands()) {
        if (command.query != unit.query)
            continue;
        const bool common = command.pattern[0] == '*';
        if (common ? unit.common == command.pattern : PathMatches(unit.path, command.pattern))
            return &command;
    }
    return nullptr;
}

int Virtual4400::Execute(const ScpiUnit& unit, QByteArray* reply) {
    if (failNextCommand_ != 0 && !unit.query)
        return std::exchange(failNextCommand_, 0);
    const Command* command = Find(unit);
    if (!command)
        return ScpiError::kUndefinedHeader;
    if (unit.parameters.size() < command->minParameters)
        return ScpiError::kMissingParameter;
    if (unit.parameters.size() > command->maxParameters)
        return ScpiError::kParameterNotAllowed;
    return (this->*command->handler)(unit, reply);
}

void Virtual4400::Queue(int code) {
    errors_.Push(code, ScpiError::Text(code));
}

int Virtual4400::Number(const ScpiUnit& unit, int index, double low, double high, double* value) {
    double number = 0.0;
    if (!ParseNumber(unit.parameters.value(index), &number))
        return ScpiError::kDataType;
    if (number < low || number > high)
        return ScpiError::kOutOfRange;
    *value = number;
    return 0;
}

int Virtual4400::Integer(const ScpiUnit& unit, int index, int low, int high, int* value) {
    double number = 0.0;
    const int error = Number(unit, index, low, high, &number);
    if (error != 0)
        return error;
    if (number != std::floor(number))
        return ScpiError::kDataType;
    *value = static_cast<int>(number);
    return 0;
}

int Virtual4400::Choice(const ScpiUnit& unit, const QList<QByteArray>& words, QByteArray* word) {
    const QByteArray given = unit.parameters.value(0).toUpper();
    if (!words.contains(given))
        return ScpiError::kIllegalValue;
    *word = given;
    return 0;
}

int Virtual4400::Boolean(const ScpiUnit& unit, bool* value) {
    QByteArray word;
    const int error = Choice(unit, {"ON", "OFF", "1", "0"}, &word);
    if (error == 0)
        *value = word == "ON" || word == "1";
    return error;
}

QList<QByteArray> Virtual4400::ReceivedLines() const {
    QMutexLocker lock(&mutex_);
    return received_;
}

void Virtual4400::ClearReceivedLines() {
    QMutexLocker lock(&mutex_);
    received_.clear();
}

void Virtual4400::FailNextCommand(int code) {
    QMutexLocker lock(&mutex_);
    failNextCommand_ = code;
}

void Virtual4400::DropNextReplies(int count) {
    QMutexLocker lock(&mutex_);
    dropReplies_ = count;
}

void Virtual4400::SetSilent(bool silent) {
    QMutexLocker lock(&mutex_);
    silent_ = silent;
}

void Virtual4400::SetIdentity(const QByteArray& identity) {
    QMutexLocker lock(&mutex_);
    identity_ = identity;
}

void Virtual4400::SetCableLossDb(double gsmLossDb, double dcsLossDb) {
    QMutexLocker lock(&mutex_);
    gsmCableLossDb_ = gsmLossDb;
    dcsCableLossDb_ = dcsLossDb;
    UpdateRadio();
}

// Points at the upper end of the GSM bands and the lower end of DCS 1800: flat within each band.
void Virtual4400::SetCouplingTable(const QByteArray& name, double gsmLossDb, double dcsLossDb) {
    QMutexLocker lock(&mutex_);
    couplingTables_.insert(name, {{960.0, gsmLossDb}, {1710.0, dcsLossDb}});
    UpdateRadio();
}

void Virtual4400::SetReadyAfterPolls(int polls) {
    QMutexLocker lock(&mutex_);
    readyAfterPolls_ = polls;
}

int Virtual4400::Identify(const ScpiUnit&, QByteArray* reply) {
    *reply = identity_;
    return 0;
}

int Virtual4400::Reset(const ScpiUnit&, QByteArray*) {
    state_ = Virtual4400State{};
    UpdateRadio();
    return 0;
}

int Virtual4400::OperationComplete(const ScpiUnit&, QByteArray* reply) {
    *reply = "1";
    return 0;
}

int Virtual4400::ClearStatus(const ScpiUnit&, QByteArray*) {
    errors_.Clear();
    return 0;
}

int Virtual4400::NextError(const ScpiUnit&, QByteArray* reply) {
    *reply = errors_.Pop();
    return 0;
}
