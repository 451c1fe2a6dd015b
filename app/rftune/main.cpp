// rftune: the calibration station's window.
#include "MainFrm.h"
#include "Rftune.h"
#include "ScriptedRun.h"
#include "SimBench.h"
#include "Simulation.h"
#include "StationStartup.h"

#include <QApplication>

#include <optional>

namespace {

struct Options {
    CRftuneApp::Options app;
    QStringList sendLines;
    QString screenshotFile;
};

void AddOwnOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {"no-splash", "Start without the start-up picture and its wait."},
        {"send",
         "After start-up open the target and send LINE through the manual command "
         "window (repeatable).",
         "LINE"},
        {"screenshot", "When the lines are done, save a picture of the screen to FILE and quit.",
         "FILE"},
    });
}

Options ReadOptions(const QCommandLineParser& parser) {
    Options options;
    options.app.splash = !parser.isSet("no-splash");
    options.sendLines = parser.values("send");
    options.screenshotFile = parser.value("screenshot");
    return options;
}

} // namespace

int main(int argc, char** argv) {
    CRftuneApp::SetApplicationIdentity();
    QApplication app(argc, argv);
    StationStartup startup(QStringLiteral("rftune"), QStringLiteral("The RF calibration station."),
                           StationStartup::kPortOptions | StationStartup::kVisaOptions |
                               StationStartup::kSimulate);
    AddOwnOptions(startup.Parser());
    QString error;
    if (!startup.Process(app, &error))
        return startup.Fail(error);
    const Options options = ReadOptions(startup.Parser());
    std::unique_ptr<SimBench> bench; // outlives the station, whose port is open on it
    if (startup.Simulate()) {
        bench = StartSimulation(startup.Bench(), &error);
        if (!bench)
            return startup.Fail(QStringLiteral("cannot start the simulated bench: %1").arg(error));
    }

    CRftuneApp rftune(options.app);
    rftune.InitInstance();
    std::optional<ScriptedRun> script;
    if (!options.sendLines.isEmpty() || !options.screenshotFile.isEmpty()) {
        script.emplace(*rftune.MainFrame(), options.sendLines, options.screenshotFile);
        script->Start();
    }
    const int status = app.exec();
    if (bench && !bench->Stop(&error))
        return startup.Fail(error);
    return status;
}
