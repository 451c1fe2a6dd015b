// rftune: the calibration station's window.
#include "app/rftune/ScriptedCalibration.h"
#include "app/rftune/ScriptedRun.h"
#include "app/startup/CalibrationOptions.h"
#include "app/startup/Simulation.h"
#include "app/startup/StationStartup.h"
#include "app/startup/StopSignals.h"
#include "base/StationSettings.h"
#include "shell/MainFrm.h"
#include "shell/Rftune.h"
#include "shell/RftuneDoc.h"
#include "shell/StationTools.h"
#include "sim/bench/SimBench.h"

#include <QApplication>
#include <QSettings>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// Without --open, a scripted start shows the manual command window, as it always did.
const char* const kDefaultWindow = "manual";
// How long the program waits on its way out for a calibration station that is still ending a
// run: the rest of a fixed delay or an instrument call, the stop, the instruments' close and the
// record's write.
constexpr int kStationEndSeconds = 30;

struct Options {
    CRftuneApp::Options app;
    QStringList windows;
    QStringList sendLines;
    QString screenshotFile;
    bool calibrate = false;
    ScriptedCalibration::Options calibration;
    // The RF parameter configuration the command line gives for the start, if any.
    std::optional<CalibrationConfig> rfParameters;

    bool Scripted() const {
        return !windows.isEmpty() || !sendLines.isEmpty() || !screenshotFile.isEmpty();
    }
};

void AddOwnOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {"no-splash", "Start without the start-up picture and its wait."},
        {"open",
         QStringLiteral("After start-up open the target and the tool window NAME as its menu "
                        "command would (repeatable; a scripted start without it opens %1). "
                        "NAME is one of: %2.")
             .arg(QLatin1String(kDefaultWindow), StationToolNames().join(QStringLiteral(", "))),
         "NAME"},
        {"send",
         "After start-up open the target and send LINE through the manual command "
         "window (repeatable).",
         "LINE"},
        {"screenshot", "When the lines are done, save a picture of the screen to FILE and quit.",
         "FILE"},
        {"calibrate",
         "After start-up calibrate one target through the calibration window with the "
         "configuration options, as an operator would, and quit: 0 on \"Calibration "
         "Success....\", 1 on a failure, 2 when the port or an instrument cannot be opened. "
         "With --screenshot the screen is saved at the end."},
        {"measure-ui", "With --calibrate: print the largest gap between two turns of the "
                       "window's event loop during the run."},
    });
    AddCalibrationOptions(parser);
}

bool ReadCalibrate(const QCommandLineParser& parser, Options* options, QString* error) {
    options->calibrate = parser.isSet("calibrate");
    options->calibration.measureUi = parser.isSet("measure-ui");
    options->calibration.screenshotFile = options->screenshotFile;
    if (!options->calibrate) {
        if (options->calibration.measureUi)
            *error = QStringLiteral("--measure-ui measures a run of --calibrate");
        return !options->calibration.measureUi;
    }
    if (!options->windows.isEmpty() || !options->sendLines.isEmpty()) {
        *error = QStringLiteral("--calibrate runs the calibration window alone, without --open "
                                "or --send");
        return false;
    }
    return ReadCalibrationOptions(parser, &options->calibration.setup, error);
}

bool ReadOptions(const QCommandLineParser& parser, Options* options, QString* error) {
    options->app.splash = !parser.isSet("no-splash");
    options->windows = parser.values("open");
    options->sendLines = parser.values("send");
    options->screenshotFile = parser.value("screenshot");
    if (!ReadCalibrate(parser, options, error) ||
        !ReadGivenConfiguration(parser, &options->rfParameters, error))
        return false;
    if (options->Scripted() && options->windows.isEmpty() && !options->calibrate)
        options->windows << QLatin1String(kDefaultWindow);
    return true;
}

// The menu commands of the named tool windows; false with *error naming the first unknown one.
bool ToolCommands(const QStringList& names, QList<FrameCommand>* commands, QString* error) {
    for (const QString& name : names) {
        const StationTool* tool = FindStationTool(name);
        if (!tool) {
            *error = QStringLiteral("unknown window \"%1\" for --open; the windows are: %2")
                         .arg(name, StationToolNames().join(QStringLiteral(", ")));
            return false;
        }
        *commands << tool->command;
    }
    return true;
}

// Closes the main window, which ends every tool window's sequence and a calibration run the safe
// way, then quits even when a modal dialog is open.
void CloseStation(CMainFrame& frame, int status) {
    frame.close();
    QMetaObject::invokeMethod(
        qApp, [status] { QCoreApplication::exit(status); }, Qt::QueuedConnection);
}

} // namespace

int main(int argc, char** argv) {
    CRftuneApp::SetApplicationIdentity();
    StationStartup startup(QStringLiteral("rftune"), QStringLiteral("The RF calibration station."),
                           StationStartup::kPortOptions | StationStartup::kVisaOptions |
                               StationStartup::kSimulate | StationStartup::kRecordOptions);
    AddOwnOptions(startup.Parser());
    // Answered before the window system starts, so that they work without a display.
    if (startup.AsksForHelpOrVersion(argc, argv)) {
        const QCoreApplication textOnly(argc, argv); // names the program in the usage line
        startup.AnswerHelpOrVersion();
    }
    QApplication app(argc, argv);
    QString error;
    Options options;
    if (!startup.Process(app, &error) || !ReadOptions(startup.Parser(), &options, &error))
        return startup.Fail(error);
    QList<FrameCommand> windows;
    if (!ToolCommands(options.windows, &windows, &error))
        return startup.Fail(error);
    std::unique_ptr<SimBench> bench; // outlives the station, whose port is open on it
    if (startup.Simulate()) {
        bench = StartSimulation(startup.Bench(), &error);
        if (!bench)
            return startup.Fail(QStringLiteral("cannot start the simulated bench: %1").arg(error));
    }

    CRftuneApp rftune(options.app);
    rftune.InitInstance();
    const QSettings settings{QLatin1String(kSettingsOrganization),
                             QLatin1String(kSettingsApplication)};
    rftune.Document().RfParameters().Start(options.rfParameters, settings);
    std::optional<ScriptedRun> script;
    std::optional<ScriptedCalibration> calibration;
    if (options.calibrate) {
        calibration.emplace(*rftune.MainFrame(), options.calibration);
        calibration->Start();
    } else if (options.Scripted()) {
        script.emplace(*rftune.MainFrame(), windows, options.sendLines, options.screenshotFile);
        script->Start();
    }
    // A signal or the end of the desktop session ends the station as closing its window does: a
    // running calibration stops the safe way before the program quits.
    StopSignals stopSignals;
    int stopStatus = 0;
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &app, [&](int signalNumber) {
        stopStatus = StopSignals::ExitStatus(signalNumber);
        if (calibration)
            calibration->Interrupt(stopStatus);
        else
            CloseStation(*rftune.MainFrame(), stopStatus);
    });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [&rftune] { CloseStation(*rftune.MainFrame(), 0); });
    const int status = app.exec();
    const int exitStatus =
        stopStatus != 0 ? stopStatus : (status != 0 || !script ? status : script->ExitStatus());
    // The port and the bench outlast the stations still ending; one that never ends would keep
    // the program for ever, and what it still uses must not go from under it.
    if (!rftune.ExitInstance(kStationEndSeconds * 1000)) {
        std::fprintf(stderr,
                     "rftune: the calibration station did not end its run within %d s; leaving "
                     "without it\n",
                     kStationEndSeconds);
        std::fflush(nullptr);
        std::_Exit(exitStatus);
    }
    if (bench && !bench->Stop(&error))
        return startup.Fail(error);
    return exitStatus;
}
