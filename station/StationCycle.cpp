#include "station/StationCycle.h"

#include "autocal/CalibrationEngine.h"
#include "autocal/StationStatus.h"
#include "instruments/InstrumentModels.h"
#include "link/Scanner.h"
#include "station/CalibrationStation.h"

#include <QCoreApplication>
#include <QPointer>

#include <utility>

namespace {

// The board calibration needs no test set: without one it is checked as in the "BOARD
// CALIBRATION" mode, where the supply is opened but not watched for a target.
bool BoardModeCheck(const CycleOptions& options) {
    return !options.runAll && options.calibration == CAL_BOARD &&
           options.config.testSetType == kTestSetNone;
}

bool WatchesSupply(const CycleOptions& options) {
    return options.config.supplyType != kSupplyNone && !BoardModeCheck(options);
}

} // namespace

StationCycle::StationCycle(CalibrationStation& station, CComm& comm, CycleOptions options,
                           StationButtons buttons, QObject* parent)
    : QObject(parent), station_(station), options_(std::move(options)),
      buttons_(std::move(buttons)) {
    Connect(comm);
}

StationButtons StationCycle::EngineButtons(CalibrationStation& station,
                                           const CycleOptions& options) {
    const auto call = [&station](void (CalibrationEngine::*press)()) {
        return [&station, press] {
            station.Call([press](CalibrationEngine& engine) { (engine.*press)(); });
        };
    };
    return {[&station, options] {
                station.Call([options](CalibrationEngine& engine) {
                    engine.SetConfig(options.config);
                    engine.SetRfMode(!BoardModeCheck(options));
                    engine.SetResultHeader(options.header);
                    engine.SetResultDirectory(options.resultDirectory);
                    engine.SetMaxRepeats(options.maxRepeats);
                    engine.InstrumentCheck();
                });
            },
            [&station, options] {
                station.Call([options](CalibrationEngine& engine) {
                    if (options.runAll)
                        engine.StartAutoCal();
                    else
                        engine.StartCalibration(options.calibration);
                });
            },
            call(&CalibrationEngine::StopRun), call(&CalibrationEngine::AcknowledgeFailure)};
}

void StationCycle::Connect(CComm& comm) {
    CalibrationEngine* engine = &station_.Engine();
    connect(engine, &CalibrationEngine::statusShown, this,
            [this](const QString& text, StatusStyle) { OnStatus(text); });
    connect(engine, &CalibrationEngine::instrumentsChecked, this,
            &StationCycle::OnInstrumentsChecked);
    connect(engine, &CalibrationEngine::elapsedTimeShown, this, [this](const QString& text) {
        if (!text.isEmpty())
            Show(QStringLiteral("elapsed time ") + text);
    });
    connect(engine, &CalibrationEngine::okFailShown, this, &StationCycle::OnOkFail);
    connect(engine, &CalibrationEngine::runEnded, this, &StationCycle::OnRunEnded);
    connect(engine, &CalibrationEngine::phoneDetected, this, &StationCycle::StartRun);
    connect(&comm, &CComm::portLost, this, [this](const QString& reason) {
        Fail(QStringLiteral("the target port was lost: %1").arg(reason));
    });
}

void StationCycle::Start() {
    buttons_.instrumentCheck();
}

void StationCycle::Interrupt(int status) {
    if (over_ || std::exchange(interrupted_, true))
        return;
    buttons_.stop();
    // Queued behind the stop; back on this thread once it is done and its lines were shown. The
    // cycle may have gone by then.
    station_.Call([cycle = QPointer<StationCycle>(this), status](CalibrationEngine&) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), [cycle, status] {
            if (!cycle)
                return;
            cycle->OnStatus(QStringLiteral("Calibration Stopped...."));
            cycle->Finish(status);
        });
    });
}

void StationCycle::Show(const QString& line) {
    if (!over_)
        emit lineShown(line);
}

void StationCycle::OnStatus(const QString& text) {
    // The phone polls repeat their line every 300 ms; it is news only once.
    if (text.isEmpty() || text == lastStatus_)
        return;
    lastStatus_ = text;
    Show(text);
    // The engine opened nothing and starts nothing: no run can follow.
    if (text == QString::fromUtf8(kNoTestSetText))
        Finish(kStationFailed);
}

void StationCycle::OnInstrumentsChecked(bool testSetOpen, bool supplyOpen) {
    if (std::exchange(checked_, true))
        return; // the checks after a failed run are the station's own
    if (!testSetOpen)
        Fail(QStringLiteral("cannot open the test set %1")
                 .arg(TestSetAndAddress(options_.config.testSetType)));
    else if (!supplyOpen)
        Fail(QStringLiteral("cannot open the supply at %1").arg(kSupplyResource));
    else if (!WatchesSupply(options_))
        StartRun(); // nobody can tell when a target is put on: it is there
}

void StationCycle::OnOkFail(const QString& text) {
    Show(text);
    // The popup of a run stays until the run's end has been counted.
    if (running_)
        popupOpen_ = true;
    else
        buttons_.closePopup();
}

void StationCycle::OnRunEnded(const RunEnd& end) {
    if (!running_ || interrupted_)
        return;
    running_ = false;
    emit runEnded(end);
    if (end.outcome != RunOutcome::Success)
        status_ = kCalibrationFailed;
    if (++unitsDone_ >= options_.units) {
        Finish(status_);
        return;
    }
    if (std::exchange(popupOpen_, false))
        buttons_.closePopup();
    if (!WatchesSupply(options_)) {
        StartRun();
        return;
    }
    // The next unit once this one is off the supply and a new one draws current. A complete run
    // and a failure start the wait for the removal themselves; one calibration does not.
    station_.Call([](CalibrationEngine& engine) { engine.AfterRunPhoneWait(); });
}

void StationCycle::StartRun() {
    if (running_ || over_ || interrupted_)
        return;
    running_ = true;
    lastStatus_.clear();
    emit runStarted();
    buttons_.start();
}

void StationCycle::Fail(const QString& problem) {
    if (over_)
        return;
    emit problemShown(problem);
    Finish(kStationFailed);
}

void StationCycle::Finish(int status) {
    if (std::exchange(over_, true))
        return;
    status_ = status;
    emit finished(status_);
}
