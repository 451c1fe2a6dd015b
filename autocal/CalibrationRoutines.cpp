// The step routines: each runs its calibration's state machine until a command goes out or the
// calibration ends, and takes the end its calibration calls for.
#include "autocal/BoardCalibration.h"
#include "autocal/CalibrationEngine.h"
#include "autocal/GmagicCalibration.h"
#include "autocal/RxCalibration.h"
#include "autocal/TxApcCalibration.h"
#include "instruments/Supply.h"
#include "instruments/TestSet.h"

namespace {
constexpr int kRxContinueMs = 2000;
constexpr int kBoardContinueMs = 5000;
} // namespace

void CalibrationEngine::ContinueActive() {
    switch (active_) {
    case CAL_GMAGIC:
        RunGmagicCal();
        break;
    case CAL_RX:
        RunRxCal();
        break;
    case CAL_GSM_TX:
        RunGsmTxCal();
        break;
    case CAL_DCS_TX:
        RunDcsTxCal();
        break;
    case CAL_BOARD:
        RunBoardCal();
        break;
    case CAL_NONE:
        break;
    }
}

void CalibrationEngine::RunGmagicCal() {
    active_ = CAL_GMAGIC;
    for (;;) {
        switch (GmagicStep(cal_, *testSet_)) {
        case kStepSend:
            ShowStatus(QStringLiteral("GMAGIC CAL Processing..."));
            SendCalibrationCommand();
            return;
        case kStepFinished:
            FinishCalibration(CAL_GMAGIC, "GMAGIC CAL END");
            if (runAll_) {
                testSet_->PresetTestSet();
                RunRxCal();
            }
            return;
        case kStepFailed:
            FailCalibration(QString::fromUtf8(kGmagicFailText));
            return;
        default:
            break;
        }
    }
}

void CalibrationEngine::RunRxCal() {
    active_ = CAL_RX;
    for (;;) {
        switch (RxStep(cal_, *testSet_)) {
        case kStepSend:
            SendCalibrationCommand();
            return;
        case kStepSendAside: // "se 100": the call is checked when the wait is over
            callPending_ = true;
            SendCalibrationCommand();
            StartContinue(kRxContinueMs);
            return;
        case kStepSendTimed:
            ShowStatus(QStringLiteral("RX CAL Processing..."));
            timedContinue_ = true;
            SendCalibrationCommand();
            StartContinue(kRxContinueMs);
            return;
        case kStepFinished:
            FinishCalibration(CAL_RX, "RX CAL END");
            if (runAll_)
                RunGsmTxCal();
            return;
        case kStepFailed:
            FailCalibration(QString::fromUtf8(kRxFailText));
            return;
        default:
            break;
        }
    }
}

void CalibrationEngine::RunGsmTxCal() {
    active_ = CAL_GSM_TX;
    for (;;) {
        switch (GsmTxStep(cal_, *testSet_)) {
        case kStepSend:
            SendCalibrationCommand();
            return;
        case kStepSendAside: // "rfe 7"
            ShowStatus(QStringLiteral("GSMTX CAL Processing..."));
            SendCalibrationCommand(false);
            return;
        case kStepFinished:
            FinishCalibration(CAL_GSM_TX, "PGSM TX CAL END");
            if (runAll_)
                RunDcsTxCal();
            return;
        case kStepFailed:
            FailCalibration(GsmTxFailText(cal_));
            return;
        default:
            break;
        }
    }
}

void CalibrationEngine::RunDcsTxCal() {
    active_ = CAL_DCS_TX;
    for (;;) {
        switch (DcsTxStep(cal_, *testSet_)) {
        case kStepSend:
            SendCalibrationCommand();
            return;
        case kStepSendAside: // "rfe 7"
            ShowStatus(QStringLiteral("DCSTX CAL Processing..."));
            SendCalibrationCommand(false);
            return;
        case kStepFinished:
            EndCompleteRun();
            return;
        case kStepFailed:
            FailCalibration(DcsTxFailText(cal_));
            return;
        default:
            break;
        }
    }
}

// The DCS part ends the run, the last of a complete one: success, the time it took, and the wait
// for the removal.
void CalibrationEngine::EndCompleteRun() {
    runAll_ = false;
    ResetProgress();
    ShowResults(CAL_DCS_TX);
    timedContinue_ = false;
    active_ = CAL_NONE;
    ShowStatus(QStringLiteral("Calibration Success...."), StatusStyle::Success);
    const qint64 seconds = startTime_.secsTo(QDateTime::currentDateTime());
    emit elapsedTimeShown(QString::asprintf("%02d:%02d", static_cast<int>(seconds / 60 % 60),
                                            static_cast<int>(seconds % 60)));
    emit calibrationFinished(CAL_DCS_TX);
    EndRun(RunEnd{RunOutcome::Success, CAL_DCS_TX, 0, {}});
    AfterRunPhoneWait();
}

void CalibrationEngine::RunBoardCal() {
    active_ = CAL_BOARD;
    for (;;) {
        AdvanceProgress();
        const std::int32_t lastStep = cal_.lastStep;
        switch (BoardStep(cal_, *supply_, SupplyConfigured())) {
        case kStepSend:
            if (cal_.lastStep == kBoardClockState)
                SetTargetClock();
            SendCalibrationCommand(false);
            return;
        case kStepSendTimed: // "se 300": the target restarts and does not answer
            timedContinue_ = true;
            emit batteryEditsCleared();
            SendCalibrationCommand(false);
            StartContinue(kBoardContinueMs);
            return;
        case kBoardStatusState:
            ShowStatus(QStringLiteral("BAT CAL Processing..."));
            break;
        case kStepFinished:
            ResetProgress();
            active_ = CAL_NONE;
            emit calibrationFinished(CAL_BOARD);
            if (runAll_) {
                RunGmagicCal();
            } else {
                ShowOkFail(QString::fromUtf8(kBoardSuccessText));
                EndRun(RunEnd{RunOutcome::Success, CAL_BOARD, 0, {}});
            }
            return;
        case kStepFailed:
            FailCalibration(QString::fromUtf8(kBatteryFailText), false);
            return;
        case 36:
            // Readings that never settle keep the calibration reading; the operator sees them.
            if (lastStep == 36)
                ShowStatus(
                    QStringLiteral("BAT CAL Processing... battery %1").arg(cal_.batteryReading));
            break;
        default:
            break;
        }
    }
}

void CalibrationEngine::SetTargetClock() {
    const QDateTime now = QDateTime::currentDateTime();
    emit clockShown(ClockText(now));
    if (session_.IsConnected())
        cal_.commandLine = ClockLine(now);
}
