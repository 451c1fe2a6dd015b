#include "app/rftune/ScriptedCalibration.h"

#include "autocal/CalibrationEngine.h"
#include "autocal/StationStatus.h"
#include "autocal/window/AutocalSession.h"
#include "autocal/window/AutocalibDlg.h"
#include "shell/MainFrm.h"
#include "shell/RftuneDoc.h"
#include "widgets/OkfaildispDlg.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

// Time for a popup that was just opened to be mapped and painted before the screen is taken.
constexpr int kSettleMs = 300;

void Print(const QString& line) {
    std::printf("%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

} // namespace

ScriptedCalibration::ScriptedCalibration(CMainFrame& frame, Options options)
    : frame_(frame), options_(std::move(options)) {}

ScriptedCalibration::~ScriptedCalibration() {
    idleThread_.quit();
    idleThread_.wait();
    if (sinkInstalled_)
        SetMessageSink(previousSink_);
}

void ScriptedCalibration::Start() {
    previousSink_ = SetMessageSink(this);
    sinkInstalled_ = true;
    frame_.Action(FrameCommand::TargetOpen)->trigger();
    // The box has said which port and why.
    if (!frame_.Document().Comm().IsConnected()) {
        Quit(kStationFailed);
        return;
    }
    frame_.Document().RfParameters().Apply(options_.setup.config);
    if (!OpenWindow())
        return;
    ConnectEngine();
    window_->Button("instrumentCheck").click();
}

void ScriptedCalibration::Interrupt(int status) {
    if (over_)
        return;
    over_ = true;
    if (!window_) {
        Quit(status);
        return;
    }
    window_->Button("stop").click();
    // Queued on the engine's thread after the stop; back here once the stop is done.
    QMetaObject::invokeMethod(
        &window_->Session().Engine(),
        [this, status] {
            QMetaObject::invokeMethod(this, [this, status] {
                Print(QStringLiteral("Calibration Stopped...."));
                Quit(status);
            });
        },
        Qt::QueuedConnection);
}

bool ScriptedCalibration::OpenWindow() {
    frame_.Action(FrameCommand::AutoCalibration)->trigger();
    window_ = qobject_cast<CAutocalibDlg*>(frame_.Tools().Window(FrameCommand::AutoCalibration));
    if (!window_) {
        Fail(QStringLiteral("the calibration window did not open"), kStationFailed);
        return false;
    }
    window_->FillHeader(options_.setup.header);
    if (!options_.setup.resultDirectory.isEmpty())
        window_->Session().SetResultDirectory(options_.setup.resultDirectory);
    if (options_.setup.maxRepeats)
        window_->Session().SetMaxRepeats(*options_.setup.maxRepeats);
    connect(window_, &QObject::destroyed, this, [this] {
        if (!over_)
            Fail(QStringLiteral("the calibration window was closed"), kCalibrationFailed);
    });
    return true;
}

void ScriptedCalibration::ConnectEngine() {
    CalibrationEngine* engine = &window_->Session().Engine();
    connect(engine, &CalibrationEngine::statusShown, this,
            [this](const QString& text, StatusStyle) { OnStatus(text); });
    connect(engine, &CalibrationEngine::instrumentsChecked, this,
            &ScriptedCalibration::OnInstrumentsChecked);
    connect(engine, &CalibrationEngine::phoneDetected, this, &ScriptedCalibration::PressStart);
    connect(engine, &CalibrationEngine::calibrationFinished, this,
            &ScriptedCalibration::OnFinished);
    // After the window's own connection: the popup is open when this runs.
    connect(engine, &CalibrationEngine::okFailShown, this, &ScriptedCalibration::OnOkFail);
}

void ScriptedCalibration::Show(const QString& text, MessageIcon) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

void ScriptedCalibration::OnStatus(const QString& text) {
    // The phone polls repeat their line; it is news only once. After the outcome the station's
    // own lines are not the run's.
    if (over_ || text.isEmpty() || text == lastStatus_)
        return;
    lastStatus_ = text;
    Print(text);
    // The window opened nothing and starts nothing: no run can follow.
    if (text == QString::fromUtf8(kNoTestSetText)) {
        over_ = true;
        Quit(kStationFailed);
    }
}

void ScriptedCalibration::OnInstrumentsChecked(bool testSetOpen, bool supplyOpen) {
    if (checked_)
        return; // the checks after a stop are the station's own
    checked_ = true;
    if (!testSetOpen)
        Fail(QStringLiteral("cannot open the test set (Instrument Check: FAIL)"), kStationFailed);
    else if (!supplyOpen)
        Fail(QStringLiteral("cannot open the supply (Instrument Check: FAIL)"), kStationFailed);
    else if (options_.setup.config.supplyType == kSupplyNone)
        PressStart(); // nobody can tell when a target is put on: it is there
}

void ScriptedCalibration::PressStart() {
    if (started_ || over_ || !window_)
        return;
    started_ = true;
    if (options_.measureUi)
        StartMeasuring();
    window_->Button("start").click();
}

void ScriptedCalibration::StartMeasuring() {
    idleMeter_ = new EventLoopGapMeter;
    idleMeter_->moveToThread(&idleThread_);
    connect(&idleThread_, &QThread::finished, idleMeter_, &QObject::deleteLater);
    idleThread_.start();
    QMetaObject::invokeMethod(idleMeter_, &EventLoopGapMeter::Start, Qt::BlockingQueuedConnection);
    meter_.Start();
}

void ScriptedCalibration::OnFinished(int calibration) {
    if (!started_ || over_ || calibration != CAL_DCS_TX)
        return;
    EndRun();
    // At once: the wait for the removal shows its own line soon after the success.
    if (window_)
        window_->repaint();
    TakeScreenshot();
    Quit(kSucceeded);
}

void ScriptedCalibration::OnOkFail(const QString& text) {
    if (over_)
        return;
    Print(text);
    if (!started_) {
        AcknowledgeFailure();
        return;
    }
    EndRun();
    // The popup waits for its OK, and the station with it: time enough to paint it.
    QTimer::singleShot(kSettleMs, this, [this] {
        TakeScreenshot();
        AcknowledgeFailure();
        Quit(kCalibrationFailed);
    });
}

void ScriptedCalibration::AcknowledgeFailure() {
    if (window_ && window_->Popup())
        window_->Popup()->accept();
}

void ScriptedCalibration::EndRun() {
    over_ = true;
    if (window_ && !window_->ElapsedTime().text().isEmpty())
        Print(QStringLiteral("elapsed time ") + window_->ElapsedTime().text());
    if (!options_.measureUi)
        return;
    meter_.Stop();
    QMetaObject::invokeMethod(idleMeter_, &EventLoopGapMeter::Stop, Qt::BlockingQueuedConnection);
    Print(QStringLiteral("largest gap between two turns of the window's event loop during the "
                         "run: %1 ms (%2 ticks of a %3 ms timer); on an idle thread meanwhile, "
                         "the machine's own delay: %4 ms")
              .arg(meter_.LargestGapMs(), 0, 'f', 1)
              .arg(meter_.Ticks())
              .arg(EventLoopGapMeter::kTickMs)
              .arg(idleMeter_->LargestGapMs(), 0, 'f', 1));
}

void ScriptedCalibration::TakeScreenshot() {
    if (options_.screenshotFile.isEmpty())
        return;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !screen->grabWindow(0).save(options_.screenshotFile))
        std::fprintf(stderr, "rftune: cannot save the screenshot to %s\n",
                     options_.screenshotFile.toLocal8Bit().constData());
}

void ScriptedCalibration::Fail(const QString& problem, int status) {
    over_ = true;
    std::fprintf(stderr, "rftune: %s\n", problem.toLocal8Bit().constData());
    std::fflush(stderr);
    Quit(status);
}

void ScriptedCalibration::Quit(int status) {
    // Out of the handler that got here; the window goes first, so that its engine ends a run and
    // closes the instruments while the port and the bench are still there.
    QTimer::singleShot(0, this, [this, status] {
        delete window_.data();
        QCoreApplication::exit(status);
    });
}
