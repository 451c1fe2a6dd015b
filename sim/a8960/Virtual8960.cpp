#include "Virtual8960.h"

#include "HeaderPattern.h"

#include <QLoggingCategory>
#include <QMutexLocker>

#include <cmath>
#include <utility>

Q_LOGGING_CATEGORY(lcA8960, "rftune.sim.a8960", QtWarningMsg)

namespace {

// Command errors (-100 to -199) end the parsing of a line; execution errors let it go on
// (IEEE 488.2, 6.1.6 and 11.5.1).
bool IsCommandError(int code) {
    return code <= -100 && code > -200;
}

} // namespace

Virtual8960::Virtual8960(RadioPath& radio) : radio_(radio) {
    UpdateRadio();
}

std::optional<QByteArray> Virtual8960::Receive(const QByteArray& line) {
    QMutexLocker lock(&mutex_);
    qCDebug(lcA8960) << "<<" << line;
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
        qCDebug(lcA8960) << "dropping the reply";
        return std::nullopt;
    }
    const QByteArray reply = replies.join(';');
    qCDebug(lcA8960) << ">>" << reply;
    return reply;
}

const Virtual8960::Command* Virtual8960::Find(const ScpiUnit& unit) const {
    for (const Command& command : Commands()) {
        if (command.query != unit.query)
            continue;
        const bool common = command.pattern[0] == '*';
        if (common ? unit.common == command.pattern : HeaderMatches(unit.path, command.pattern))
            return &command;
    }
    return nullptr;
}

int Virtual8960::Execute(const ScpiUnit& unit, QByteArray* reply) {
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

void Virtual8960::Queue(int code) {
    qCDebug(lcA8960) << "queueing error" << code;
    errors_.Push(code, ScpiError::Text(code));
}

int Virtual8960::Number(const QByteArray& text, Unit unit, double low, double high, double* value) {
    double number = 0.0;
    if (!ParseQuantity(text, unit, &number))
        return ScpiError::kDataType;
    if (number < low || number > high)
        return ScpiError::kOutOfRange;
    *value = number;
    return 0;
}

int Virtual8960::Integer(const QByteArray& text, int low, int high, int* value) {
    double number = 0.0;
    if (const int error = Number(text, Unit::None, low, high, &number))
        return error;
    if (number != std::floor(number))
        return ScpiError::kDataType;
    *value = static_cast<int>(number);
    return 0;
}

int Virtual8960::Choice(const QByteArray& text, const QList<QByteArray>& words, QByteArray* word) {
    const QByteArray given = text.toUpper();
    if (!words.contains(given))
        return ScpiError::kIllegalValue;
    *word = given;
    return 0;
}

int Virtual8960::Boolean(const QByteArray& text, bool* value) {
    QByteArray word;
    const int error = Choice(text, {"ON", "OFF", "1", "0"}, &word);
    if (error == 0)
        *value = word == "ON" || word == "1";
    return error;
}

QList<QByteArray> Virtual8960::ReceivedLines() const {
    QMutexLocker lock(&mutex_);
    return received_;
}

void Virtual8960::ClearReceivedLines() {
    QMutexLocker lock(&mutex_);
    received_.clear();
}

void Virtual8960::FailNextCommand(int code) {
    QMutexLocker lock(&mutex_);
    failNextCommand_ = code;
}

void Virtual8960::DropNextReplies(int count) {
    QMutexLocker lock(&mutex_);
    dropReplies_ = count;
}

void Virtual8960::SetSilent(bool silent) {
    QMutexLocker lock(&mutex_);
    silent_ = silent;
}

void Virtual8960::SetIdentity(const QByteArray& identity) {
    QMutexLocker lock(&mutex_);
    identity_ = identity;
}

void Virtual8960::SetCableLossDb(double gsmLossDb, double dcsLossDb) {
    QMutexLocker lock(&mutex_);
    gsmCableLossDb_ = gsmLossDb;
    dcsCableLossDb_ = dcsLossDb;
    UpdateRadio();
}

int Virtual8960::Identify(const ScpiUnit&, QByteArray* reply) {
    *reply = identity_;
    return 0;
}

// The error queue and the amplitude offset are not settings a preset touches.
int Virtual8960::Reset(const ScpiUnit&, QByteArray*) {
    state_ = Virtual8960State{};
    UpdateRadio();
    return 0;
}

int Virtual8960::PartialPreset(const ScpiUnit&, QByteArray*) {
    state_.mode = Virtual8960State::Mode::ActiveCell;
    state_.downlink = Virtual8960State::Downlink::BchTch;
    UpdateRadio();
    return 0;
}

int Virtual8960::OperationComplete(const ScpiUnit&, QByteArray* reply) {
    *reply = "1";
    return 0;
}

int Virtual8960::ClearStatus(const ScpiUnit&, QByteArray*) {
    errors_.Clear();
    return 0;
}

int Virtual8960::NextError(const ScpiUnit&, QByteArray* reply) {
    *reply = errors_.Pop();
    return 0;
}

int Virtual8960::Accept(const ScpiUnit&, QByteArray*) {
    return 0;
}
