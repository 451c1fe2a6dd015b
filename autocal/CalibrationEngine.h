#pragma once

#include "autocal/CalibrationCodes.h"
#include "autocal/CalibrationContext.h"
#include "autocal/CalibrationResults.h"
#include "autocal/ChannelHold.h"
#include "autocal/ResultFile.h"
#include "autocal/StationStatus.h"
#include "link/TargetSession.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class CComm;
class Supply;
class TestSet;
enum class BoardState : std::int32_t;
enum class TestSetEvent;

// The calibration station without its window: it checks the instruments and the target, detects
// a target put on and taken off the supply, runs the calibrations one command at a time and
// reports everything the window shows as signals carrying values. It lives on one thread (its
// own, in the station; see CalibrationStation), where its timers run, its target replies arrive
// and its instrument calls and fixed delays block.
class CalibrationEngine : public QObject {
    Q_OBJECT
public:
    static constexpr int kReplyTimeoutMs = 4000; // TIMER_REPLY
    static constexpr int kPhonePollMs = 300;     // TIMER_PHONE_IN, TIMER_PHONE_OUT
    static constexpr int kProgressMax = 200;
    static constexpr double kPhonePresentAmps = 0.075; // above: a target draws current
    static constexpr double kPhoneRemovedAmps = 0.025; // below: the target is gone

    explicit CalibrationEngine(CComm& comm, QObject* parent = nullptr);
    ~CalibrationEngine() override;

    const CalibrationContext& Context() const { return cal_; }
    // For measurements, from any thread: commands sent, and the continue timers' waits.
    int CommandsSent() const { return commandsSent_.load(); }
    qint64 ContinueWaitMs() const { return continueWaitMs_.load(); }
    TargetSession& Session() { return session_; }
    ActiveCalibration Active() const { return active_; }

    // What the window and rftune-cal ask for; on the engine's thread (queued from elsewhere).
    void SetConfig(const CalibrationConfig& config);
    void SetResultHeader(const ResultHeader& header);
    void SetResultDirectory(const QString& directory);
    void SetRfMode(bool rf); // the mode combo: "RF CALIBRATION" (true) or "BOARD CALIBRATION"
    // How often a command that gets no answer is sent again before the unit fails with "No
    // Response"; 0 repeats it for ever, as the window does while the operator watches.
    void SetMaxRepeats(int repeats);
    void InstrumentCheck();
    void TargetCheck();
    // Both are ignored while a calibration runs (STOP or "Instrument Check" end it first).
    void StartAutoCal();
    // One calibration on its own, as without run all; CAL_BOARD is "Battery CAL".
    void StartCalibration(ActiveCalibration calibration);
    void EepFullReset();
    // The OK/FAIL popup was closed: the engine goes on.
    void AcknowledgeFailure();
    // Waits for the target's removal after a run, as the end of a complete run does.
    void AfterRunPhoneWait();
    // Closes the test set and the supply, as leaving the calibration window does.
    void CloseInstruments();
    // The operator's STOP, and the calibration window closed during a run: the run ends the safe
    // way a failure ends (the target's RF off, the test set preset, the instruments checked
    // again), without the popup, and the station stays stopped until the operator goes on.
    // Under the OK/FAIL popup it is the popup's acknowledgement; with nothing running, nothing.
    void StopRun();

signals:
    void statusShown(const QString& text, StatusStyle style);
    void progressShown(int position);
    void instrumentCheckShown(bool ok);
    // The test set of an instrument check did not open: why, as the operator reads it in a box.
    void testSetInitFailed(const QString& text);
    // After each instrument check: whether each configured instrument opened (true when none is
    // configured).
    void instrumentsChecked(bool testSetOpen, bool supplyOpen);
    void targetCheckShown(bool ok);
    void resultListsCleared();
    void resultsShown(int calibration, const CalibrationResults& results);
    void elapsedTimeShown(const QString& text);
    // The OK/FAIL popup: what follows it waits until AcknowledgeFailure.
    void okFailShown(const QString& text);
    // The board calibration's "BATTERY" edits: emptied, and the time set in the target.
    void batteryEditsCleared();
    void clockShown(const QString& text);
    // Something the operator must know that does not stop the station (a result file that
    // could not be written, "EEP FULL RESET" without a port); shown without waiting.
    void noticeShown(const QString& text);
    void calibrationFinished(int calibration);
    // A run began: "AUTO CAL START" or one calibration on its own.
    void runStarted(const RunSetup& setup);
    // The run that began ended, once: with its last calibration finished, with a failure (after
    // its popup was shown, before the stop that follows the popup), or stopped by STOP or
    // "Instrument Check".
    void runEnded(const RunEnd& end);
    // What the searches measured, as they measure it.
    void txPowerMeasured(const TxPowerSample& sample);
    void gmagicSampled(const GmagicSample& sample);
    // After each instrument check: what the opened instruments answered to "*IDN?" (empty for
    // one not open or not configured).
    void instrumentsIdentified(const QString& testSet, const QString& supply);
    void phoneDetected();
    void phoneRemoved();

private:
    // The step routines.
    void RunGmagicCal();
    void RunRxCal();
    void RunGsmTxCal();
    void RunDcsTxCal();
    void RunBoardCal();
    void ShowBoardProgress(BoardState next, BoardState lastStep);
    void ContinueActive();
    void BeginRun(const RunSetup& setup);
    void EndRun(const RunEnd& end);
    void EndCompleteRun();
    void SetTargetClock();

    // What the step routines share.
    void SendCalibrationCommand(bool advanceProgress = true);
    void HandOnSamples();
    void FinishCalibration(ActiveCalibration calibration, const char* endText);
    void FailCalibration(const QString& text, bool waitForRemoval = true);
    void ShowOkFail(const QString& text, std::function<void()> then = nullptr);
    void StopCalibration();
    void ShowResults(ActiveCalibration calibration);
    void AdvanceProgress();
    void ResetProgress();
    void ShowStatus(const QString& text, StatusStyle style = StatusStyle::Normal);
    void StartContinue(int ms);
    int Scaled(int ms) const;

    // Replies and timers.
    void OnReply(const TargetReply& reply);
    bool ActOnReply(const TargetReply& reply); // false: the reply ends here ("vg")
    void ActOnSpecialEnable(const TargetReply& reply);
    void ActOnCalibrationReply(const TargetReply& reply);
    void OnReplyTimeout();
    void GiveUpOnTarget();
    void AbandonRun();
    void RestAllCalibrations();
    void OnContinue();
    void ContinueRxAfterWait();
    void OnPhoneIn();
    void OnPhoneOut();

    void MakeInstruments();
    void FollowTestSet(TestSetEvent event);
    bool SupplyConfigured() const;
    bool RefusedWithoutTestSet();

    CalibrationContext cal_;
    TargetSession session_;
    ResultHeader header_;
    ResultFile resultFile_;
    std::unique_ptr<TestSet> testSet_;
    std::unique_ptr<Supply> supply_;
    std::int32_t testSetType_ = kTestSetNone; // the types the two objects were made for
    std::int32_t supplyType_ = kSupplyNone;
    // The channel, from a run's start to its way out; after the session, which it holds.
    std::optional<ChannelHold> hold_;
    bool runOpen_ = false; // a run began and its end is still to be told

    ActiveCalibration active_ = CAL_NONE;
    bool callPending_ = false;
    bool timedContinue_ = false;
    bool runAll_ = false;
    bool rfMode_ = true;
    int progress_ = 0;
    int unanswered_ = 0;                // repeats of the command awaited
    int maxRepeats_ = 0;                // 0: no limit
    std::function<void()> afterOkFail_; // what follows the popup once it is closed
    QDateTime startTime_;
    std::atomic<int> commandsSent_{0};
    std::atomic<qint64> continueWaitMs_{0};
    QTimer continueTimer_;
    QTimer phoneInTimer_;
    QTimer phoneOutTimer_;
};
