// The ramp table editor's reactions to the target's replies.
#include "base/MessageService.h"
#include "link/ReplyOpcodes.h"
#include "sessions/GsmrampCommands.h"
#include "sessions/GsmrampSession.h"

#include <algorithm>
#include <array>

namespace {

enum SpecialEnable { kSavedToEeprom = 1, kEepromReset = 5 };
enum TxParam { kTxLevel = 1, kApcDac = 4 };

// A reply to another command than the one awaited is reported when it answers one of the
// target's parameter, table or enable commands; vg, stw and str replies pass without a word.
bool IsTargetCommand(std::uint8_t opcode) {
    return (opcode >= kOpTi && opcode <= kOpScr && opcode != kOpVg) ||
           (opcode >= kOpRfpw && opcode <= kOpTtr) || opcode == kOpSpw || opcode == kOpSpr ||
           opcode == kOpSe;
}

// Successful replies the editor takes without a word beyond "command success": ti .. scr,
// rfpw .. rxpr, the memory commands, spw, stw and str.
bool IsQuietSuccess(std::uint8_t opcode) {
    return (opcode >= kOpTi && opcode <= kOpScr) || (opcode >= kOpRfpw && opcode <= kOpRxpr) ||
           (opcode >= kOpMw && opcode <= kOpLastMemory) || (opcode >= kOpSpw && opcode <= kOpStr);
}

// The parameter reads whose word is the APC DAC of a band.
bool IsDacRead(const TargetReply& reply) {
    static constexpr std::array kSpecialDacs = {21, 22, 23, 31, 32};
    if (reply.Opcode() == kOpTxpr)
        return reply.Index() == kApcDac;
    return reply.Opcode() == kOpSpr &&
           std::find(kSpecialDacs.begin(), kSpecialDacs.end(), reply.Index()) != kSpecialDacs.end();
}

} // namespace

void GsmrampSession::OnReply(const TargetReply& reply) {
    QString box;
    switch (reply.Class()) {
    case REPLY_OTHER_OPCODE:
        box = OnOtherCommandReply(reply);
        break;
    case REPLY_STATUS_ERROR:
        // The timers keep running: "No response" follows when the reply time-out expires.
        emit resultChanged(QStringLiteral("Status error"));
        box = QStringLiteral("status error");
        break;
    case REPLY_SUCCESS:
        OnSuccess(reply);
        break;
    case REPLY_NOT_A_REPLY:
        break;
    }
    commandWindowLine_ = false;
    // Last: the box waits for the operator, and the reply is handled by then.
    if (!box.isEmpty())
        ShowMessage(box, MessageIcon::Exclamation);
}

QString GsmrampSession::OnOtherCommandReply(const TargetReply& reply) {
    if (!IsTargetCommand(reply.Opcode()))
        return {};
    emit resultChanged(QStringLiteral("error"));
    return QStringLiteral("command error");
}

void GsmrampSession::OnSuccess(const TargetReply& reply) {
    emit resultChanged(QStringLiteral("command success"));
    emit replyForwarded(reply.Unstuffed());
    if (IsDacRead(reply)) {
        emit dacChanged(QString::number(reply.Word()));
        return;
    }
    switch (reply.Opcode()) {
    case kOpTxpw:
        if (reply.Index() == kTxLevel)
            OnTxLevelSet();
        break;
    case kOpTxpr:
    case kOpSpr:
        break;
    case kOpSe:
        if (reply.Index() == kSavedToEeprom)
            emit resultChanged(QStringLiteral("Saved to EEPROM"));
        else if (reply.Index() == kEepromReset)
            emit resultChanged(QStringLiteral("Target Resetted"));
        break;
    case kOpTtr:
        OnTemplateRead(reply);
        break;
    case kOpTtw:
        emit resultChanged(QStringLiteral("Writing Success"));
        break;
    default:
        if (!IsQuietSuccess(reply.Opcode()))
            emit resultChanged(QStringLiteral("Error!(Invalid command)"));
        break;
    }
}

void GsmrampSession::OnTxLevelSet() {
    if (const auto index = RampIndexForTxLevel(txLevel_)) {
        indexText_ = QString::number(*index);
        emit indexChanged(indexText_);
    }
    // A level set from the command window is the operator's own business.
    if (commandWindowLine_)
        return;
    if (const RampBand* band = RampBandAt(bandIndex_))
        SendUnchecked(QString::fromLatin1(band->dacReadLine));
}

void GsmrampSession::OnTemplateRead(const TargetReply& reply) {
    const auto values = reply.RampTemplate();
    for (int i = 0; i < ReplyWorkArea::kRampValues; ++i) {
        const auto row = i < RampTable::kSteps ? RampTable::Up : RampTable::Down;
        const int slot = i % RampTable::kSteps;
        const int value = values[static_cast<std::size_t>(i)];
        table_.SetValue(row, slot, value);
        emit rampFilled(row, slot, QString::number(value));
    }
    chartReady_ = true;
    EmitTotals();
    emit chartFed(table_.ChartHeights());
    if (applyIndex_)
        SendUnchecked(QStringLiteral("txpw 5 ") + indexText_);
}

void GsmrampSession::OnTimeout() {
    ShowMessage(QStringLiteral("No response"), MessageIcon::Exclamation);
}
