// What the station does with each reply: the status lines it shows whatever runs, the values the
// active calibration takes by its own rules, and the step routine that the reply continues.
#include "autocal/BoardCalibration.h"
#include "autocal/CalibrationEngine.h"
#include "autocal/GmagicCalibration.h"
#include "autocal/RxCalibration.h"
#include "autocal/TxApcCalibration.h"
#include "link/ReplyOpcodes.h"

void CalibrationEngine::OnReply(const TargetReply& reply) {
    switch (reply.Class()) {
    case REPLY_NOT_A_REPLY:
    case REPLY_OTHER_OPCODE: // the session stopped what a reply to another command stops
        return;
    case REPLY_STATUS_ERROR: // the timers run on, so the time-out repeats the command
        ShowStatus(QStringLiteral("received data is broken"));
        return;
    case REPLY_SUCCESS:
        break;
    }
    unanswered_ = 0;
    if (!ActOnReply(reply))
        return;
    ActOnCalibrationReply(reply);
    ContinueActive();
    emit targetCheckShown(true);
}

bool CalibrationEngine::ActOnReply(const TargetReply& reply) {
    switch (reply.Opcode()) {
    case kOpTi:
        ShowStatus(QStringLiteral("TESTMODE INIT."));
        break;
    case kOpVg:
        emit targetCheckShown(true);
        return false;
    case kOpSpw:
        if (reply.Index() == 51)
            ShowStatus(QStringLiteral("MAIN LCD SAVED."));
        else if (reply.Index() == 52)
            ShowStatus(QStringLiteral("SUB LCD VOL SAVED."));
        else if (reply.Index() == 53)
            ShowStatus(QStringLiteral("SUB LCD V0 SAVED. 성공적으로 끝났습니다."),
                       StatusStyle::Success);
        break;
    case kOpSe:
        ActOnSpecialEnable(reply);
        break;
    case kOpStw:
        if (reply.Index() == 20)
            ShowStatus(QStringLiteral("RTC SETTING OK !!!"));
        break;
    default:
        break;
    }
    return true;
}

void CalibrationEngine::ActOnSpecialEnable(const TargetReply& reply) {
    switch (reply.Index()) {
    case 5:
        ShowStatus(QStringLiteral("RF DATA RESET"), StatusStyle::Unchanged);
        break;
    case 6:
        ShowStatus(QStringLiteral("EEPROM FULL RESET"));
        break;
    case 11:
        ShowResults(active_);
        break;
    default:
        break;
    }
}

// After what every reply shows: what the active calibration takes from it.
void CalibrationEngine::ActOnCalibrationReply(const TargetReply& reply) {
    switch (active_) {
    case CAL_GMAGIC:
        if (const std::optional<double> sample = TakeGmagicReply(cal_, reply))
            emit gmagicSampled(GmagicSample{cal_.band, *sample});
        break;
    case CAL_RX:
        TakeRxReply(cal_, reply);
        break;
    case CAL_GSM_TX:
    case CAL_DCS_TX:
        TakeTxReply(cal_, reply);
        break;
    case CAL_BOARD:
        if (const char* status = TakeBoardReply(cal_, reply))
            ShowStatus(QString::fromUtf8(status));
        break;
    case CAL_NONE:
        break;
    }
}
