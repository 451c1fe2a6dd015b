#include "sessions/RfTestSession.h"

#include "base/CNumbers.h"
#include "base/MessageService.h"

namespace {
const char* const kCommandErrorText = "Command Error";
const char* const kInvalidSettingText = "Invalid setting";
} // namespace

RfTestSession::RfTestSession(CComm& comm, QObject* parent)
    : QObject(parent), target_(comm, kReplyTimeoutMs, this) {
    connect(&target_, &TargetSession::timedOut, this, &RfTestSession::OnTimeout);
}

void RfTestSession::Send(RfStep step) {
    SendLine(StepLine(step));
}

void RfTestSession::SetTxChannel(const QString& channel) {
    SendLine(TxChannelLine(LeadingInt(channel)));
}

void RfTestSession::SetRxChannel(const QString& channel) {
    SendLine(RxChannelLine(LeadingInt(channel)));
}

void RfTestSession::SetPowerLevel(const QString& channel, const QString& level) {
    SendChecked(PowerLevelLine(LeadingInt(channel), LeadingInt(level)));
}

void RfTestSession::SetApcDac(const QString& channel, const QString& dac) {
    if (const auto line = ApcDacLine(LeadingInt(channel), LeadingInt(dac)))
        SendLine(*line);
}

void RfTestSession::SetAgc(const QString& agc) {
    SendChecked(AgcLine(LeadingInt(agc)));
}

void RfTestSession::SetAfcDac(const QString& afcDac) {
    SendLine(AfcDacLine(TruncatedLeadingReal(afcDac)));
}

void RfTestSession::SendOtherCommand(const QString& line) {
    ClearResult();
    if (!line.isEmpty())
        SendLine(line);
}

void RfTestSession::SendLine(const QString& line) {
    // A closed port can give no reply: say so now rather than after the time-out.
    if (!target_.Send(line))
        SetResult(QString::fromLatin1(kCommandErrorText));
}

void RfTestSession::SendChecked(const std::optional<QString>& line) {
    if (line)
        SendLine(*line);
    else
        ShowMessage(QString::fromLatin1(kInvalidSettingText), MessageIcon::Exclamation);
}

void RfTestSession::OnTimeout() {
    SetResult(QString::fromLatin1(kCommandErrorText));
}

void RfTestSession::SetResult(const QString& text) {
    if (text == result_)
        return;
    result_ = text;
    emit resultChanged(result_);
}
