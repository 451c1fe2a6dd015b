#include "sessions/LogicTestSession.h"

#include "base/CNumbers.h"
#include "base/MessageService.h"
#include "link/ReplyOpcodes.h"

namespace {

constexpr int kToneGainIndex = 73;  // "spw 73": the tone's gain
constexpr int kLogicSaveIndex = 11; // "se 11": the logic data to EEPROM
constexpr int kMinGain = 1;
constexpr int kMaxGain = 255;

const char* const kInvalidGainText = "invalid Gain range";
const char* const kWriteSuccessText = "WRITE SUCCESS";

QString StepLine(LogicStep step) {
    switch (step) {
    case LogicStep::VibTest:
        return QStringLiteral("se 56");
    case LogicStep::LcdTest:
        return QStringLiteral("se 50");
    case LogicStep::SubLcdTest:
        return QStringLiteral("se 51");
    case LogicStep::KeyAutoTest:
        return QStringLiteral("se 59");
    case LogicStep::LogicDataSave:
        return QStringLiteral("se 11");
    }
    return {};
}

// One bit per LED, in the order of the panel's boxes: all three make the 7 of "7 LED Test".
int LedPattern(LedChoice leds) {
    return (leds.red ? 1 : 0) | (leds.green ? 2 : 0) | (leds.blue ? 4 : 0);
}

} // namespace

LogicTestSession::LogicTestSession(CComm& comm, QObject* parent)
    : QObject(parent), target_(comm, kReplyTimeoutMs, this) {
    resultClear_.setSingleShot(true);
    resultClear_.setInterval(kResultClearMs);
    connect(&target_, &TargetSession::replied, this, &LogicTestSession::OnReply);
    connect(&resultClear_, &QTimer::timeout, this, &LogicTestSession::OnResultClear);
}

void LogicTestSession::Send(LogicStep step) {
    SendLine(StepLine(step));
}

void LogicTestSession::ToggleBacklight() {
    backlightOn_ = !backlightOn_;
    SendLine(backlightOn_ ? QStringLiteral("se 53") : QStringLiteral("se 54"));
    emit captionsChanged();
}

void LogicTestSession::ToggleMicrophone() {
    if (!target_.IsConnected())
        return;
    microphoneOn_ = !microphoneOn_;
    SendLine(microphoneOn_ ? QStringLiteral("spw 72 1") : QStringLiteral("spw 72 0"));
    emit captionsChanged();
}

void LogicTestSession::ToggleTone(const QString& gain) {
    const int value = LeadingInt(gain);
    if (value < kMinGain || value > kMaxGain) {
        ShowMessage(QString::fromLatin1(kInvalidGainText), MessageIcon::Exclamation);
        return;
    }
    toneOn_ = !toneOn_;
    SendLine(toneOn_ ? QStringLiteral("spw 73 %1").arg(value) : QStringLiteral("spw 74 0"));
    emit captionsChanged();
}

void LogicTestSession::TestLeds(LedChoice leds) {
    SendLine(QStringLiteral("spw 56 %1").arg(LedPattern(leds)));
}

void LogicTestSession::SetMainLcdContrast(const QString& value) {
    SendLine(QStringLiteral("spw 51 %1").arg(LeadingInt(value)));
}

void LogicTestSession::SetSubLcdVolume(const QString& value) {
    SendLine(QStringLiteral("spw 52 %1").arg(LeadingInt(value)));
}

void LogicTestSession::SetSubLcdV0(const QString& value) {
    SendLine(QStringLiteral("spw 53 %1").arg(LeadingInt(value)));
}

QString LogicTestSession::BacklightCaption() const {
    return backlightOn_ ? QStringLiteral("Back Light OFF") : QStringLiteral("Back Light ON");
}

QString LogicTestSession::MicrophoneCaption() const {
    return microphoneOn_ ? QStringLiteral("MIC TEST OFF") : QStringLiteral("MIC TEST ON");
}

QString LogicTestSession::ToneCaption() const {
    return toneOn_ ? QStringLiteral("SPKTONE OFF") : QStringLiteral("SPK TONE TEST");
}

void LogicTestSession::SendLine(const QString& line) {
    // The session is silent when the port is closed: the panel tells nobody.
    target_.Send(line);
}

void LogicTestSession::OnReply(const TargetReply& reply) {
    if (reply.Class() != REPLY_SUCCESS)
        return;
    if (reply.Opcode() == kOpSpw && reply.Index() == kToneGainIndex) {
        SendLine(QStringLiteral("spw 74 1"));
        return;
    }
    if (reply.Opcode() != kOpSe)
        return;
    if (reply.Index() == kLogicSaveIndex)
        SetResult(QString::fromLatin1(kWriteSuccessText));
    resultClear_.start();
}

void LogicTestSession::OnResultClear() {
    SetResult(QString());
}

void LogicTestSession::SetResult(const QString& text) {
    if (text == result_)
        return;
    result_ = text;
    emit resultChanged(result_);
}
