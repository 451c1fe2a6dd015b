#include "VirtualSupply.h"

#include <QLoggingCategory>
#include <QMutexLocker>

#include <utility>

Q_LOGGING_CATEGORY(lcSupplyTrace, "rftune.sim.supply", QtWarningMsg)

namespace {

// Command errors (-100 to -199) end the parsing of a line; execution errors let it go on
// (IEEE 488.2, 6.1.6 and 11.5.1).
bool IsCommandError(int code) {
    return code <= -100 && code > -200;
}

} // namespace

VirtualSupply::VirtualSupply(VirtualSupplyModel model, SupplyLoad& load)
    : spec_(SupplyModelOf(model)), load_(load), identity_(spec_.identity) {
    for (const SupplyOutputSpec& output : spec_.outputs)
        outputs_.push_back({0.0, output.resetAmps});
    outputs_.front() = {kIdleVolts, kIdleAmps};
    UpdateLoad();
}

std::optional<QByteArray> VirtualSupply::Receive(const QByteArray& line) {
    QMutexLocker lock(&mutex_);
    qCDebug(lcSupplyTrace).noquote() << spec_.name << "<" << line;
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
    const QByteArray reply = replies.join(';');
    qCDebug(lcSupplyTrace).noquote() << spec_.name << ">" << reply;
    return reply;
}

const VirtualSupply::Command* VirtualSupply::Find(const ScpiUnit& unit) const {
    for (const Command& command : Commands()) {
        if (command.query == unit.query && (HasSelection() || !command.needsSelection) &&
            command.header.Matches(unit))
            return &command;
    }
    return nullptr;
}

int VirtualSupply::Execute(const ScpiUnit& unit, QByteArray* reply) {
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

void VirtualSupply::Queue(int code) {
    errors_.Push(code, ScpiError::Text(code));
}

QList<QByteArray> VirtualSupply::ReceivedLines() const {
    QMutexLocker lock(&mutex_);
    return received_;
}

void VirtualSupply::ClearReceivedLines() {
    QMutexLocker lock(&mutex_);
    received_.clear();
}

void VirtualSupply::FailNextCommand(int code) {
    QMutexLocker lock(&mutex_);
    failNextCommand_ = code;
}

void VirtualSupply::DropNextReplies(int count) {
    QMutexLocker lock(&mutex_);
    dropReplies_ = count;
}

void VirtualSupply::SetSilent(bool silent) {
    QMutexLocker lock(&mutex_);
    silent_ = silent;
}

void VirtualSupply::SetIdentity(const QByteArray& identity) {
    QMutexLocker lock(&mutex_);
    identity_ = identity;
}

const char* VirtualSupply::ModelName(VirtualSupplyModel model) {
    return SupplyModelOf(model).name;
}

bool VirtualSupply::ParseModel(const QString& name, VirtualSupplyModel* model) {
    const QString wanted = name.trimmed().toUpper();
    for (const SupplyModelSpec& spec : SupplyModels()) {
        const QString known = QLatin1String(spec.name);
        if (wanted == known || (known.startsWith('E') && wanted == known.mid(1))) {
            *model = spec.model;
            return true;
        }
    }
    return false;
}

int VirtualSupply::Identify(const ScpiUnit&, QByteArray* reply) {
    *reply = identity_;
    return 0;
}

// Output off, every output at 0 V with the model's reset limit, the first one selected.
int VirtualSupply::Reset(const ScpiUnit&, QByteArray*) {
    for (size_t i = 0; i < outputs_.size(); ++i)
        outputs_[i] = {0.0, spec_.outputs[i].resetAmps};
    selected_ = 0;
    outputOn_ = false;
    UpdateLoad();
    return 0;
}

int VirtualSupply::OperationComplete(const ScpiUnit&, QByteArray* reply) {
    *reply = "1";
    return 0;
}

int VirtualSupply::ClearStatus(const ScpiUnit&, QByteArray*) {
    errors_.Clear();
    return 0;
}

int VirtualSupply::NextError(const ScpiUnit&, QByteArray* reply) {
    *reply = errors_.Pop();
    return 0;
}

void VirtualSupply::UpdateLoad() {
    load_.SetSupply(outputOn_, outputs_.front().volts);
}
