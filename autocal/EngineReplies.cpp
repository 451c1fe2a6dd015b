// What the calibration does with each reply: the values it takes, the status lines it shows,
// and the step routine of the active calibration that the reply continues.
#include "autocal/CalibrationEngine.h"
#include "autocal/GmagicCalibration.h"
#include "link/ReplyOpcodes.h"

namespace {

bool IsTx(ActiveCalibration active) {
    return active == CAL_GSM_TX || active == CAL_DCS_TX;
}

} // namespace

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
    ContinueActive();
    emit targetCheckShown(true);
}

bool CalibrationEngine::ActOnReply(const TargetReply& reply) {
    switch (reply.Opcode()) {
    case kOpTi:
        ShowStatus(QStringLiteral("TESTMODE INIT."));
        break;
    case kOpTms:
        if (active_ == CAL_BOARD)
            ShowStatus(QStringLiteral("TESTMODE SET."));
        break;
    case kOpVg:
        emit targetCheckShown(true);
        return false;
    case kOpTxpr:
        if (reply.Index() == 4 && IsTx(active_))
            cal_.apcDac = reply.Word();
        break;
    case kOpRftr:
        if ((reply.Index() == 31 || reply.Index() == 47) && active_ == CAL_GMAGIC)
            cal_.gmagicReadBack = reply.Word();
        break;
    case kOpSr:
        if (reply.Index() == 1 && active_ == CAL_GMAGIC) {
            if (const std::optional<double> sample = reply.PmValue()) {
                StoreGmagicSample(cal_, *sample);
                emit gmagicSampled(GmagicSample{cal_.band, *sample});
            }
        }
        break;
    case kOpSpw:
        if (reply.Index() == 51)
            ShowStatus(QStringLiteral("MAIN LCD SAVED."));
        else if (reply.Index() == 52)
            ShowStatus(QStringLiteral("SUB LCD VOL SAVED."));
        else if (reply.Index() == 53)
            ShowStatus(QStringLiteral("SUB LCD V0 SAVED. 성공적으로 끝났습니다."),
                       StatusStyle::Success);
        break;
    case kOpSpr:
        ActOnSpecialRead(reply);
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

void CalibrationEngine::ActOnSpecialRead(const TargetReply& reply) {
    switch (reply.Index()) {
    case 11:
        if (active_ == CAL_RX)
            cal_.rxGainReadBack = static_cast<std::int16_t>(reply.SignedWord());
        break;
    case 21:
    case 22:
    case 23:
    case 31:
    case 32:
        if (IsTx(active_))
            cal_.apcDac = reply.Word();
        break;
    case 54:
        if (active_ == CAL_BOARD)
            cal_.batteryReading = reply.Word();
        break;
    default:
        break;
    }
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
        if (active_ == CAL_BOARD)
            ShowStatus(QStringLiteral("LOGIC DATA SAVED."));
        break;
    default:
        break;
    }
}
