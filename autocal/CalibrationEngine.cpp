#include "autocal/CalibrationEngine.h"

#include "autocal/RxCalibration.h"
#include "base/StationClock.h"
#include "instruments/DelayMs.h"
#include "instruments/InstrumentModels.h"
#include "instruments/Supply.h"
#include "instruments/TestSet.h"
#include "link/Scanner.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
constexpr int kPhoneSettleMs = 3500;
// However short the time scale, a target needs its time to answer: a shorter time-out repeats a
// command that is being answered, and the late answer to a repeat can pass for the next one's.
constexpr int kShortestReplyTimeoutMs = 500;
constexpr int kShortestPhonePollMs = 10;
// A restarting target and a call being set up take their moment however short the time scale.
constexpr int kShortestContinueMs = 200;
} // namespace

CalibrationEngine::CalibrationEngine(CComm& comm, QObject* parent)
    : QObject(parent), session_(comm, kReplyTimeoutMs, this), continueTimer_(this),
      phoneInTimer_(this), phoneOutTimer_(this) {
    qRegisterMetaType<StatusStyle>();
    qRegisterMetaType<CalibrationResults>();
    qRegisterMetaType<RunSetup>();
    qRegisterMetaType<RunEnd>();
    qRegisterMetaType<TxPowerSample>();
    qRegisterMetaType<GmagicSample>();
    session_.Link().SetReplyTimeoutMs(std::max(Scaled(kReplyTimeoutMs), kShortestReplyTimeoutMs));
    continueTimer_.setSingleShot(true);
    phoneInTimer_.setSingleShot(true);
    phoneOutTimer_.setSingleShot(true);
    // On a shortened time scale the operator is quicker too: the polls must not miss a swap.
    phoneInTimer_.setInterval(std::max(Scaled(kPhonePollMs), kShortestPhonePollMs));
    phoneOutTimer_.setInterval(std::max(Scaled(kPhonePollMs), kShortestPhonePollMs));
    connect(&session_, &TargetSession::replied, this, &CalibrationEngine::OnReply);
    connect(&session_, &TargetSession::timedOut, this, &CalibrationEngine::OnReplyTimeout);
    connect(&continueTimer_, &QTimer::timeout, this, &CalibrationEngine::OnContinue);
    connect(&phoneInTimer_, &QTimer::timeout, this, &CalibrationEngine::OnPhoneIn);
    connect(&phoneOutTimer_, &QTimer::timeout, this, &CalibrationEngine::OnPhoneOut);
    MakeInstruments();
    ResetProgress();
    ShowStatus(QString(), StatusStyle::Reset);
}

CalibrationEngine::~CalibrationEngine() {
    CloseInstruments();
}

void CalibrationEngine::SetConfig(const CalibrationConfig& config) {
    cal_.config = config;
}

void CalibrationEngine::SetResultHeader(const ResultHeader& header) {
    header_ = header;
}

void CalibrationEngine::SetResultDirectory(const QString& directory) {
    resultFile_ = ResultFile(directory);
}

void CalibrationEngine::SetRfMode(bool rf) {
    rfMode_ = rf;
}

void CalibrationEngine::SetMaxRepeats(int repeats) {
    maxRepeats_ = std::max(0, repeats);
}

// The objects follow the configured types; one whose type was changed is closed first.
void CalibrationEngine::MakeInstruments() {
    if (!testSet_ || testSetType_ != cal_.config.testSetType) {
        if (testSet_)
            testSet_->CloseTestSet();
        testSetType_ = cal_.config.testSetType;
        testSet_ =
            MakeTestSet(testSetType_, cal_, [this](TestSetEvent event) { FollowTestSet(event); });
    }
    if (!supply_ || supplyType_ != cal_.config.supplyType) {
        if (supply_)
            supply_->CloseSupply();
        supplyType_ = cal_.config.supplyType;
        supply_ = MakeSupply(supplyType_, cal_);
    }
}

// The run's state follows what the test set did: idle once it is open or preset (and no sub-band
// calibrated after a preset), stopped after its second failure.
void CalibrationEngine::FollowTestSet(TestSetEvent event) {
    switch (event) {
    case TestSetEvent::Opened:
        cal_.stepState = kStepIdle;
        break;
    case TestSetEvent::Preset:
        cal_.stepState = kStepIdle;
        cal_.gsmSubBand = 0;
        cal_.dcsSubBand = 0;
        break;
    case TestSetEvent::RunStopped:
        cal_.stepState = kStepStopped;
        cal_.lastStep = 0;
        break;
    }
}

bool CalibrationEngine::SupplyConfigured() const {
    return cal_.config.supplyType != kSupplyNone;
}

// GMAGIC, RX and TX APC measure with the test set: without one a run cannot succeed, and the
// operator is told where to configure one. The supply is no longer watched, so that the text
// stays until the operator acts on it.
bool CalibrationEngine::RefusedWithoutTestSet() {
    if (TestSetConfigured(cal_.config.testSetType))
        return false;
    phoneInTimer_.stop();
    phoneOutTimer_.stop();
    ShowStatus(QString::fromUtf8(kNoTestSetText));
    return true;
}

void CalibrationEngine::InstrumentCheck() {
    session_.Link().KillTimers();
    AbandonRun();
    MakeInstruments();
    if (rfMode_ && RefusedWithoutTestSet()) {
        emit instrumentCheckShown(false);
        return;
    }
    bool testSetOpen = true;
    if (TestSetConfigured(cal_.config.testSetType)) {
        const TestSetOpening opening = testSet_->InitTestSet();
        if (!opening.failureText.isEmpty())
            emit testSetInitFailed(opening.failureText);
        testSetOpen = opening.opened;
        emit instrumentCheckShown(testSetOpen);
    }
    // The supply's outcome overwrites the test set's in the same field.
    const bool supplyOpen = supply_->InitSupply();
    emit instrumentCheckShown(supplyOpen);
    emit instrumentsChecked(testSetOpen, supplyOpen);
    emit instrumentsIdentified(testSet_->Identity(), supply_->Identity());
    if (supplyOpen && SupplyConfigured() && rfMode_)
        phoneInTimer_.start();
}

void CalibrationEngine::TargetCheck() {
    emit targetCheckShown(false);
    session_.Send(QStringLiteral("vg 0xe0"));
}

void CalibrationEngine::StartAutoCal() {
    // A second press during a run would step the calibrations' shared state twice over.
    if (active_ != CAL_NONE || RefusedWithoutTestSet())
        return;
    startTime_ = QDateTime::currentDateTime();
    emit elapsedTimeShown(QString());
    runAll_ = true;
    BeginRun(RunSetup{true, CAL_GMAGIC, cal_.config, header_});
    emit resultListsCleared();
    RunGmagicCal();
}

void CalibrationEngine::StartCalibration(ActiveCalibration calibration) {
    if (active_ != CAL_NONE)
        return;
    runAll_ = false;
    BeginRun(RunSetup{false, calibration, cal_.config, header_});
    active_ = calibration;
    ContinueActive();
}

// A run holds the channel from here to its way out, so that no window that registers meanwhile
// takes a reply the run awaits.
void CalibrationEngine::BeginRun(const RunSetup& setup) {
    runOpen_ = true;
    hold_.emplace(session_);
    emit runStarted(setup);
}

// A failed run keeps the channel until its stop, which follows the popup.
void CalibrationEngine::EndRun(const RunEnd& end) {
    if (end.outcome != RunOutcome::Failed)
        hold_.reset();
    if (std::exchange(runOpen_, false))
        emit runEnded(end);
}

void CalibrationEngine::EepFullReset() {
    if (!session_.IsConnected()) {
        emit noticeShown(QStringLiteral("통신 에러"));
        return;
    }
    session_.Send(QStringLiteral("se 6"));
}

void CalibrationEngine::AcknowledgeFailure() {
    const std::function<void()> then = std::move(afterOkFail_);
    afterOkFail_ = nullptr;
    if (then)
        then();
}

void CalibrationEngine::StopRun() {
    if (afterOkFail_) {
        AcknowledgeFailure();
        return;
    }
    if (active_ == CAL_NONE)
        return;
    EndRun(RunEnd{RunOutcome::Stopped, active_, 0, {}});
    StopCalibration();
    // The target is still on the supply: detection would take it for the next one.
    phoneInTimer_.stop();
    phoneOutTimer_.stop();
    ShowStatus(QStringLiteral("Calibration Stopped...."));
}

void CalibrationEngine::CloseInstruments() {
    if (TestSetConfigured(cal_.config.testSetType))
        testSet_->CloseTestSet();
    supply_->CloseSupply();
}

void CalibrationEngine::AfterRunPhoneWait() {
    if (!SupplyConfigured() || !rfMode_)
        return;
    phoneInTimer_.stop();
    phoneOutTimer_.start();
}

void CalibrationEngine::SendCalibrationCommand(bool advanceProgress) {
    if (advanceProgress)
        AdvanceProgress();
    // A reply that is not awaited is not polled: the calibration goes on after a fixed wait.
    const bool awaited = !callPending_ && !timedContinue_;
    unanswered_ = 0;
    ++commandsSent_;
    HandOnSamples();
    if (session_.Send(QString::fromLatin1(cal_.commandLine)) && !awaited)
        session_.Link().KillTimers();
}

void CalibrationEngine::HandOnSamples() {
    for (const TxPowerSample& sample : cal_.txPowerSamples)
        emit txPowerMeasured(sample);
    cal_.txPowerSamples.clear();
}

void CalibrationEngine::FinishCalibration(ActiveCalibration calibration, const char* endText) {
    ResetProgress();
    ShowResults(calibration);
    active_ = CAL_NONE;
    ShowStatus(QString::fromUtf8(endText));
    emit calibrationFinished(calibration);
    if (!runAll_)
        EndRun(RunEnd{RunOutcome::Success, calibration, 0, {}});
}

void CalibrationEngine::FailCalibration(const QString& text, bool waitForRemoval) {
    HandOnSamples();
    const RunEnd end{RunOutcome::Failed, active_, cal_.lastStep, text};
    cal_.instrumentFault = 0;
    ShowOkFail(text, [this, waitForRemoval] {
        StopCalibration();
        if (waitForRemoval)
            AfterRunPhoneWait();
    });
    EndRun(end);
}

void CalibrationEngine::ShowOkFail(const QString& text, std::function<void()> then) {
    // The station goes on once the popup is closed; meanwhile its events are handled as under a
    // modal popup.
    afterOkFail_ = std::move(then);
    emit okFailShown(text);
}

void CalibrationEngine::StopCalibration() {
    if (session_.IsConnected()) {
        session_.Send(active_ == CAL_RX ? QStringLiteral("se 101") : QStringLiteral("rfe 0"));
    }
    session_.Link().KillTimers();
    const ActiveCalibration stopped = active_;
    active_ = CAL_NONE;
    runAll_ = false;
    ResetProgress();
    hold_.reset();
    if (stopped != CAL_BOARD)
        testSet_->PresetTestSet();
    ShowStatus(QString(), StatusStyle::Reset);
    cal_.instrumentFault = 0;
    InstrumentCheck();
    RestAllCalibrations();
}

// A run that is left, by STOP, a failure or an instrument check in its midst, leaves nothing
// behind: the next start of any calibration begins at its first state, even when no test set
// opens again to put the idle state back.
void CalibrationEngine::RestAllCalibrations() {
    // A wait that ends later must not step a calibration that is over, nor leave the next
    // command unawaited.
    continueTimer_.stop();
    callPending_ = false;
    timedContinue_ = false;
    cal_.stepState = kStepIdle;
    cal_.lastStep = 0;
}

// "Instrument Check" pressed during a run ends it where it stands: recorded as stopped, every
// calibration at rest and the target channel given back.
void CalibrationEngine::AbandonRun() {
    if (active_ == CAL_NONE)
        return;
    EndRun(RunEnd{RunOutcome::Stopped, active_, 0, {}});
    active_ = CAL_NONE;
    runAll_ = false;
    RestAllCalibrations();
}

void CalibrationEngine::ShowResults(ActiveCalibration calibration) {
    HandOnSamples();
    const CalibrationResults results = ResultsOf(cal_);
    QString error;
    // The run goes on without its log, but the operator must know the results were not kept.
    if (!resultFile_.AppendBlock(ResultBlockLines(calibration, results, header_), &error))
        emit noticeShown(error);
    emit resultsShown(calibration, results);
}

void CalibrationEngine::AdvanceProgress() {
    if (progress_ > kProgressMax)
        progress_ = 0;
    progress_ += 3;
    emit progressShown(progress_);
}

void CalibrationEngine::ResetProgress() {
    progress_ = 0;
    emit progressShown(0);
}

void CalibrationEngine::ShowStatus(const QString& text, StatusStyle style) {
    emit statusShown(text, style);
}

void CalibrationEngine::StartContinue(int ms) {
    const int wait = std::max(Scaled(ms), std::min(ms, kShortestContinueMs));
    continueWaitMs_ += wait;
    continueTimer_.start(wait);
}

int CalibrationEngine::Scaled(int ms) const {
    return std::max(1, static_cast<int>(std::lround(ms * StationClock::Scale())));
}

void CalibrationEngine::OnReplyTimeout() {
    if (active_ == CAL_BOARD) {
        cal_.instrumentFault = 1;
        ContinueActive();
        return;
    }
    if (maxRepeats_ > 0 && unanswered_ >= maxRepeats_) {
        GiveUpOnTarget();
        return;
    }
    // A target that restarts may still answer: the command goes again, and the operator sees it.
    ++unanswered_;
    ShowStatus(QStringLiteral("No Response (%1)").arg(unanswered_));
    ++commandsSent_;
    session_.Link().SendPacket();
}

// A headless station cannot wait for ever on a dead unit: it fails the unit with the command that
// got no answer, and the line goes on.
void CalibrationEngine::GiveUpOnTarget() {
    session_.Link().KillTimers();
    const QString text = QStringLiteral("No Response: %1").arg(session_.LastLine());
    unanswered_ = 0;
    if (active_ == CAL_NONE) {
        ShowStatus(text);
        return;
    }
    FailCalibration(text);
}

void CalibrationEngine::OnContinue() {
    continueTimer_.stop();
    if (active_ == CAL_RX) {
        ContinueRxAfterWait();
        return;
    }
    // The board's wait after "se 300" is over: its next commands await their replies again.
    if (active_ == CAL_BOARD)
        timedContinue_ = false;
    ContinueActive();
}

void CalibrationEngine::ContinueRxAfterWait() {
    if (callPending_) {
        callPending_ = false;
        if (testSet_->WaitForCallConnected()) {
            RunRxCal();
            return;
        }
        FailCalibration(QString::fromUtf8(kCallFailText));
    } else if (timedContinue_) {
        timedContinue_ = false;
        RunRxCal();
    }
}

void CalibrationEngine::OnPhoneIn() {
    const std::optional<double> amps = supply_->ReadSupplyCurrent();
    if (!amps || *amps <= kPhonePresentAmps) {
        ShowStatus(QStringLiteral("Ready to Test. !"));
        phoneInTimer_.start();
        return;
    }
    ShowStatus(QStringLiteral("Checking the PHONE. Wait a moment !"));
    DelayMs(kPhoneSettleMs);
    emit phoneDetected();
}

void CalibrationEngine::OnPhoneOut() {
    const std::optional<double> amps = supply_->ReadSupplyCurrent();
    if (amps && *amps < kPhoneRemovedAmps) {
        phoneInTimer_.start();
        emit phoneRemoved();
        return;
    }
    ShowStatus(QStringLiteral("Remove the PHONE. !"));
    phoneOutTimer_.start();
}
