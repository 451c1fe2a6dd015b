#include "app/rftune/ScriptedCalibration.h"

#include "autocal/window/AutocalSession.h"
#include "autocal/window/AutocalibDlg.h"
#include "shell/MainFrm.h"
#include "shell/RftuneDoc.h"
#include "widgets/OkfaildispDlg.h"

#include <QAction>
#include <QGuiApplication>
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

void PrintProblem(const QString& problem) {
    std::fprintf(stderr, "rftune: %s\n", problem.toLocal8Bit().constData());
    std::fflush(stderr);
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
        Quit(StationCycle::kStationFailed);
        return;
    }
    frame_.Document().RfParameters().Apply(options_.setup.config);
    if (!OpenWindow())
        return;
    MakeCycle();
    cycle_->Start();
}

void ScriptedCalibration::Interrupt(int status) {
    if (over_)
        return;
    if (cycle_) {
        cycle_->Interrupt(status);
        return;
    }
    over_ = true;
    Quit(status);
}

bool ScriptedCalibration::OpenWindow() {
    frame_.Action(FrameCommand::AutoCalibration)->trigger();
    window_ = qobject_cast<CAutocalibDlg*>(frame_.Tools().Window(FrameCommand::AutoCalibration));
    if (!window_) {
        Fail(QStringLiteral("the calibration window did not open"), StationCycle::kStationFailed);
        return false;
    }
    window_->FillHeader(options_.setup.header);
    if (!options_.setup.resultDirectory.isEmpty())
        window_->Session().SetResultDirectory(options_.setup.resultDirectory);
    if (options_.setup.maxRepeats)
        window_->Session().SetMaxRepeats(*options_.setup.maxRepeats);
    connect(window_, &QObject::destroyed, this, [this] {
        cycle_.reset();
        if (!over_)
            Fail(QStringLiteral("the calibration window was closed"),
                 StationCycle::kCalibrationFailed);
    });
    return true;
}

void ScriptedCalibration::MakeCycle() {
    CycleOptions options;
    options.config = options_.setup.config;
    options.header = options_.setup.header;
    // Made after the window's own connections: a popup is open when the cycle hears of it.
    cycle_ = std::make_unique<StationCycle>(window_->Session().Station(), frame_.Document().Comm(),
                                            options, WindowButtons());
    connect(cycle_.get(), &StationCycle::lineShown, this, &Print);
    connect(cycle_.get(), &StationCycle::problemShown, this, &PrintProblem);
    connect(cycle_.get(), &StationCycle::runStarted, this, &ScriptedCalibration::StartMeasuring);
    connect(cycle_.get(), &StationCycle::runEnded, this, &ScriptedCalibration::StopMeasuring);
    connect(cycle_.get(), &StationCycle::finished, this, &ScriptedCalibration::OnFinished);
}

StationButtons ScriptedCalibration::WindowButtons() {
    const auto press = [this](const char* name) {
        return [this, name] {
            if (window_)
                window_->Button(name).click();
        };
    };
    return {press("instrumentCheck"), press("start"), press("stop"), [this] {
                if (window_ && window_->Popup())
                    window_->Popup()->accept();
            }};
}

void ScriptedCalibration::Show(const QString& text, MessageIcon) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

void ScriptedCalibration::OnFinished(int status) {
    over_ = true;
    if (status == StationCycle::kSucceeded) {
        // At once: the wait for the removal shows its own line soon after the success.
        if (window_)
            window_->repaint();
        TakeScreenshot();
        Quit(status);
    } else if (status == StationCycle::kCalibrationFailed) {
        // The popup waits for its OK, and the station with it: time enough to paint it.
        QTimer::singleShot(kSettleMs, this, [this, status] {
            TakeScreenshot();
            Quit(status);
        });
    } else {
        Quit(status);
    }
}

void ScriptedCalibration::StartMeasuring() {
    if (!options_.measureUi)
        return;
    idleMeter_ = new EventLoopGapMeter;
    idleMeter_->moveToThread(&idleThread_);
    connect(&idleThread_, &QThread::finished, idleMeter_, &QObject::deleteLater);
    idleThread_.start();
    QMetaObject::invokeMethod(idleMeter_, &EventLoopGapMeter::Start, Qt::BlockingQueuedConnection);
    meter_.Start();
}

void ScriptedCalibration::StopMeasuring() {
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
    PrintProblem(problem);
    Quit(status);
}

void ScriptedCalibration::Quit(int status) {
    // Out of the handler that got here; the window goes first, so that its station ends a run and
    // closes the instruments while the port and the bench are still there (the program waits for
    // it before the bench goes).
    QTimer::singleShot(0, this, [this, status] {
        delete window_.data();
        QCoreApplication::exit(status);
    });
}
