#include "autocal/StationCycle.h"

#include "autocal/CalibrationEngine.h"
#include "autocal/StationStatus.h"
#include "instruments/InstrumentModels.h"
#include "link/Scanner.h"

#include <utility>

StationCycle::StationCycle(CComm& comm, CycleOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options)), thread_(comm) {
    Connect();
    connect(&comm, &CComm::portLost, this, [this](const QString& reason) {
        emit problemShown(QStringLiteral("the target port was lost: %1").arg(reason));
        Finish(kStationFailed);
    });
}

void StationCycle::Connect() {
    CalibrationEngine* engine = &thread_.Engine();
    connect(engine, &CalibrationEngine::statusShown, this,
            [this](const QString& text, StatusStyle) { OnStatus(text); });
    connect(engine, &CalibrationEngine::instrumentsChecked, this,
            &StationCycle::OnInstrumentsChecked);
    connect(engine, &CalibrationEngine::resultsShown, this, &StationCycle::OnResults);
    connect(engine, &CalibrationEngine::elapsedTimeShown, this, [this](const QString& text) {
        if (!text.isEmpty())
            emit lineShown(QStringLiteral("elapsed time ") + text);
    });
    connect(engine, &CalibrationEngine::okFailShown, this, &StationCycle::OnOkFail);
    connect(engine, &CalibrationEngine::noticeShown, this, &StationCycle::problemShown);
    connect(engine, &CalibrationEngine::testSetInitFailed, this, &StationCycle::problemShown);
    connect(engine, &CalibrationEngine::calibrationFinished, this, &StationCycle::OnFinished);
    connect(engine, &CalibrationEngine::calibrationFailed, this, &StationCycle::OnFailed);
    connect(engine, &CalibrationEngine::phoneDetected, this, &StationCycle::StartRun);
}

void StationCycle::Start() {
    const CycleOptions options = options_;
    const bool rfMode = !BoardModeCheck();
    thread_.Call([engine = &thread_.Engine(), options, rfMode] {
        engine->SetConfig(options.config);
        engine->SetRfMode(rfMode);
        engine->SetResultHeader(options.header);
        engine->SetResultDirectory(options.resultDirectory);
        engine->SetMaxRepeats(options.maxRepeats);
        engine->InstrumentCheck();
    });
}

void StationCycle::Interrupt(int status) {
    if (over_ || interrupted_)
        return;
    interrupted_ = true;
    thread_.Call([this, engine = &thread_.Engine(), status] {
        engine->StopRun();
        // Back on the cycle's thread once the stop is done and its lines have been shown.
        QMetaObject::invokeMethod(this, [this, status] {
            OnStatus(QStringLiteral("Calibration Stopped...."));
            Finish(status);
        });
    });
}

void StationCycle::OnStatus(const QString& text) {
    // The phone polls repeat their line every 300 ms; it is news only once.
    if (text.isEmpty() || text == lastStatus_)
        return;
    lastStatus_ = text;
    emit lineShown(text);
    // The engine opened nothing and starts nothing: no run can follow.
    if (text == QString::fromUtf8(kNoTestSetText))
        Finish(kStationFailed);
}

void StationCycle::OnInstrumentsChecked(bool testSetOpen, bool supplyOpen) {
    if (checked_)
        return; // the checks after a failed run are the station's own
    checked_ = true;
    if (!testSetOpen) {
        emit problemShown(QStringLiteral("cannot open the test set %1")
                              .arg(TestSetAndAddress(options_.config.testSetType)));
        Finish(kStationFailed);
    } else if (!supplyOpen) {
        emit problemShown(QStringLiteral("cannot open the supply at %1").arg(kSupplyResource));
        Finish(kStationFailed);
    } else if (!WatchesSupply()) {
        StartRun(); // nobody can tell when a target is put on: it is there
    }
}

void StationCycle::OnResults(int calibration, const CalibrationResults& results) {
    for (const QString& line :
         ResultBlockLines(static_cast<ActiveCalibration>(calibration), results, options_.header))
        emit lineShown(line);
}

void StationCycle::OnOkFail(const QString& text) {
    emit lineShown(text);
    thread_.Call([engine = &thread_.Engine()] { engine->AcknowledgeFailure(); });
    if (const std::optional<bool> success = std::exchange(endAtPopup_, std::nullopt))
        EndRun(*success);
}

void StationCycle::OnFinished(int calibration) {
    if (!running_)
        return;
    const bool lastOfRun =
        options_.runAll ? calibration == CAL_DCS_TX : calibration == options_.calibration;
    if (!lastOfRun)
        return;
    // "Battery CAL" tells its success in the popup that follows.
    if (calibration == CAL_BOARD)
        endAtPopup_ = true;
    else
        EndRun(true);
}

void StationCycle::OnFailed() {
    // The popup with the failure's text follows; the run ends once it is shown.
    if (running_)
        endAtPopup_ = false;
}

void StationCycle::StartRun() {
    if (running_ || over_ || interrupted_)
        return;
    running_ = true;
    lastStatus_.clear();
    emit runStarted();
    const bool runAll = options_.runAll;
    const ActiveCalibration calibration = options_.calibration;
    thread_.Call([engine = &thread_.Engine(), runAll, calibration] {
        if (runAll)
            engine->StartAutoCal();
        else
            engine->StartCalibration(calibration);
    });
}

void StationCycle::EndRun(bool success) {
    running_ = false;
    emit runEnded(success);
    if (!success)
        status_ = kCalibrationFailed;
    if (++unitsDone_ >= options_.units) {
        Finish(status_);
        return;
    }
    if (!WatchesSupply()) {
        StartRun();
        return;
    }
    // The next unit once this one is off the supply and a new one draws current. A complete run
    // and a failure start the wait for the removal themselves; one calibration does not.
    thread_.Call([engine = &thread_.Engine()] { engine->AfterRunPhoneWait(); });
}

void StationCycle::Finish(int status) {
    if (over_)
        return;
    over_ = true;
    status_ = status;
    emit finished(status_);
}

bool StationCycle::WatchesSupply() const {
    return options_.config.supplyType != kSupplyNone && !BoardModeCheck();
}

// The board calibration needs no test set: without one it is checked as in the "BOARD
// CALIBRATION" mode, where the supply is opened but not watched for a target.
bool StationCycle::BoardModeCheck() const {
    return !options_.runAll && options_.calibration == CAL_BOARD &&
           options_.config.testSetType == kTestSetNone;
}
