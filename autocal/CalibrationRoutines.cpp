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
    switch (StepUntilAct([this] { return GmagicStep(cal_, *testSet_); })) {
    case StepAct::Finished:
        FinishCalibration(CAL_GMAGIC, "GMAGIC CAL END");
        if (runAll_) {
            testSet_->PresetTestSet();
            RunRxCal();
        }
        return;
    case StepAct::Failed:
        FailCalibration(QString::fromUtf8(kGmagicFailText));
        return;
    case StepAct::Send:
    case StepAct::SendAside: // GMAGIC awaits the reply to every command
    case StepAct::SendTimed:
        ShowStatus(QStringLiteral("GMAGIC CAL Processing..."));
        SendCalibrationCommand();
        return;
    }
}

void CalibrationEngine::RunRxCal() {
    active_ = CAL_RX;
    switch (StepUntilAct([this] { return RxStep(cal_, *testSet_); })) {
    case StepAct::Send:
        SendCalibrationCommand();
        return;
    case StepAct::SendAside: // "se 100": the call is checked when the wait is over
        callPending_ = true;
        SendCalibrationCommand();
        StartContinue(kRxContinueMs);
        return;
    case StepAct::SendTimed:
        ShowStatus(QStringLiteral("RX CAL Processing..."));
        timedContinue_ = true;
        SendCalibrationCommand();
        StartContinue(kRxContinueMs);
        return;
    case StepAct::Finished:
        FinishCalibration(CAL_RX, "RX CAL END");
        if (runAll_)
            RunGsmTxCal();
        return;
    case StepAct::Failed:
        FailCalibration(QString::fromUtf8(kRxFailText));
        return;
    }
}

void CalibrationEngine::RunGsmTxCal() {
    active_ = CAL_GSM_TX;
    switch (StepUntilAct([this] { return TxStep(cal_, *testSet_, kGsmTx); })) {
    case StepAct::SendAside: // "rfe 7"
        ShowStatus(QStringLiteral("GSMTX CAL Processing..."));
        SendCalibrationCommand(false);
        return;
    case StepAct::Finished:
        FinishCalibration(CAL_GSM_TX, "PGSM TX CAL END");
        if (runAll_)
            RunDcsTxCal();
        return;
    case StepAct::Failed:
        FailCalibration(TxFailText(cal_, kGsmTx));
        return;
    case StepAct::Send:
    case StepAct::SendTimed: // the TX parts await the reply to every other command
        SendCalibrationCommand();
        return;
    }
}

void CalibrationEngine::RunDcsTxCal() {
    active_ = CAL_DCS_TX;
    switch (StepUntilAct([this] { return TxStep(cal_, *testSet_, kDcsTx); })) {
    case StepAct::SendAside: // "rfe 7"
        ShowStatus(QStringLiteral("DCSTX CAL Processing..."));
        SendCalibrationCommand(false);
        return;
    case StepAct::Finished:
        EndCompleteRun();
        return;
    case StepAct::Failed:
        FailCalibration(TxFailText(cal_, kDcsTx));
        return;
    case StepAct::Send:
    case StepAct::SendTimed: // the TX parts await the reply to every other command
        SendCalibrationCommand();
        return;
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
        const auto lastStep = StateOf<BoardState>(cal_.lastStep);
        const BoardStepResult step = BoardStep(cal_, *supply_, SupplyConfigured());
        if (const BoardState* next = std::get_if<BoardState>(&step)) {
            ShowBoardProgress(*next, lastStep);
            continue;
        }
        switch (std::get<StepAct>(step)) {
        case StepAct::SendTimed: // "se 300": the target restarts and does not answer
            timedContinue_ = true;
            emit batteryEditsCleared();
            SendCalibrationCommand(false);
            StartContinue(kBoardContinueMs);
            return;
        case StepAct::Finished:
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
        case StepAct::Failed:
            FailCalibration(QString::fromUtf8(kBatteryFailText), false);
            return;
        case StepAct::Send:
        case StepAct::SendAside: // the board sends nothing aside
            if (StateOf<BoardState>(cal_.lastStep) == BoardState::SetClock)
                SetTargetClock();
            SendCalibrationCommand(false);
            return;
        }
    }
}

void CalibrationEngine::ShowBoardProgress(BoardState next, BoardState lastStep) {
    if (next == BoardState::BatteryMode)
        ShowStatus(QStringLiteral("BAT CAL Processing..."));
    // Readings that never settle keep the calibration reading; the operator sees them.
    else if (next == BoardState::ReadBattery && lastStep == BoardState::ReadBattery)
        ShowStatus(QStringLiteral("BAT CAL Processing... battery %1").arg(cal_.batteryReading));
}

void CalibrationEngine::SetTargetClock() {
    const QDateTime now = QDateTime::currentDateTime();
    emit clockShown(ClockText(now));
    if (session_.IsConnected())
        cal_.commandLine = ClockLine(now);
}
