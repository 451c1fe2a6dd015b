#include "CalRunner.h"

#include "CalibrationEngine.h"
#include "Scanner.h"

#include <QCoreApplication>

#include <cstdio>
#include <utility>

namespace {

QString TestSetResource(std::int32_t type) {
    return type == kTestSet8960 ? QStringLiteral("A8960 E5515B at GPIB0::14::INSTR")
                                : QStringLiteral("W4400M at GPIB0::4");
}

} // namespace

CalRunner::CalRunner(CComm& comm, const CalOptions& options, QTextStream& out)
    : options_(options), out_(out), thread_(comm), previousSink_(SetMessageSink(this)) {
    Connect();
    connect(&comm, &CComm::portLost, this, [this](const QString& reason) {
        Show(QStringLiteral("the target port was lost: %1").arg(reason), MessageIcon::Error);
        Finish(kExitUsage);
    });
}

CalRunner::~CalRunner() {
    SetMessageSink(previousSink_);
}

void CalRunner::Connect() {
    CalibrationEngine* engine = &thread_.Engine();
    connect(engine, &CalibrationEngine::statusShown, this,
            [this](const QString& text, StatusStyle) { OnStatus(text); });
    connect(engine, &CalibrationEngine::instrumentsChecked, this, &CalRunner::OnInstrumentsChecked);
    connect(engine, &CalibrationEngine::resultsShown, this, &CalRunner::OnResults);
    connect(engine, &CalibrationEngine::elapsedTimeShown, this, [this](const QString& text) {
        if (!text.isEmpty())
            Print(QStringLiteral("elapsed time ") + text);
    });
    connect(engine, &CalibrationEngine::okFailShown, this, &CalRunner::OnOkFail);
    connect(engine, &CalibrationEngine::noticeShown, this,
            [this](const QString& text) { Show(text, MessageIcon::Exclamation); });
    connect(engine, &CalibrationEngine::calibrationFinished, this, &CalRunner::OnFinished);
    connect(engine, &CalibrationEngine::calibrationFailed, this, &CalRunner::OnFailed);
    connect(engine, &CalibrationEngine::phoneDetected, this, &CalRunner::StartRun);
}

void CalRunner::Start() {
    const CalOptions options = options_;
    thread_.Call([engine = &thread_.Engine(), options] {
        engine->SetConfig(options.config);
        engine->SetResultHeader(options.header);
        engine->SetResultDirectory(options.resultDirectory);
        engine->InstrumentCheck();
    });
}

void CalRunner::Show(const QString& text, MessageIcon) {
    std::fprintf(stderr, "rftune-cal: %s\n", text.trimmed().toLocal8Bit().constData());
    std::fflush(stderr);
}

void CalRunner::Print(const QString& line) {
    out_ << line << '\n';
    out_.flush();
}

void CalRunner::OnStatus(const QString& text) {
    // The phone polls repeat their line every 300 ms; it is news only once.
    if (text.isEmpty() || text == lastStatus_)
        return;
    lastStatus_ = text;
    Print(text);
}

void CalRunner::OnInstrumentsChecked(bool testSetOpen, bool supplyOpen) {
    if (checked_)
        return; // the checks after a failed run are the station's own
    checked_ = true;
    if (!testSetOpen) {
        Show(QStringLiteral("cannot open the test set %1")
                 .arg(TestSetResource(options_.config.testSetType)),
             MessageIcon::Error);
        Finish(kExitUsage);
    } else if (!supplyOpen) {
        Show(QStringLiteral("cannot open the supply at GPIB::5::INSTR"), MessageIcon::Error);
        Finish(kExitUsage);
    } else if (!SupplyConfigured()) {
        StartRun(); // nobody can tell when a target is put on: it is there
    }
}

void CalRunner::OnResults(int calibration, const CalibrationResults& results) {
    for (const QString& line :
         ResultBlockLines(static_cast<ActiveCalibration>(calibration), results, options_.header))
        Print(line);
}

void CalRunner::OnOkFail(const QString& text) {
    Print(text);
    thread_.Call([engine = &thread_.Engine()] { engine->AcknowledgeFailure(); });
    if (const std::optional<bool> success = std::exchange(endAtPopup_, std::nullopt))
        EndRun(*success);
}

void CalRunner::OnFinished(int calibration) {
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

void CalRunner::OnFailed(int, const QString&) {
    // The popup with the failure's text follows; the run ends once it is printed.
    if (running_)
        endAtPopup_ = false;
}

void CalRunner::StartRun() {
    if (running_)
        return;
    running_ = true;
    lastStatus_.clear();
    const bool runAll = options_.runAll;
    const ActiveCalibration calibration = options_.calibration;
    thread_.Call([engine = &thread_.Engine(), runAll, calibration] {
        if (runAll)
            engine->StartAutoCal();
        else
            engine->StartCalibration(calibration);
    });
}

void CalRunner::EndRun(bool success) {
    running_ = false;
    if (!success)
        status_ = kExitFailed;
    if (++unitsDone_ >= options_.units) {
        Finish(status_);
        return;
    }
    if (!SupplyConfigured()) {
        StartRun();
        return;
    }
    // The next unit once this one is off the supply and a new one draws current. A complete run
    // and a failure start the wait for the removal themselves; one calibration does not.
    thread_.Call([engine = &thread_.Engine()] { engine->AfterRunPhoneWait(); });
}

void CalRunner::Finish(int status) {
    status_ = status;
    QCoreApplication::exit(status_);
}

bool CalRunner::SupplyConfigured() const {
    return options_.config.supplyType != kSupplyNone;
}
