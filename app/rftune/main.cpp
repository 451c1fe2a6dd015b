// rftune: the calibration station's window.
#include "MainFrm.h"
#include "PortMap.h"
#include "Rftune.h"
#include "ScriptedRun.h"
#include "SimBench.h"
#include "Simulation.h"
#include "VisaConfig.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <optional>

namespace {

constexpr int kExitUsage = 2;

struct Options {
    CRftuneApp::Options app;
    bool simulate = false;
    BenchOptions bench;
    QStringList sendLines;
    QString screenshotFile;
};

int Fail(const QString& message) {
    std::fprintf(stderr, "rftune: %s\n", message.toLocal8Bit().constData());
    return kExitUsage;
}

bool ParseOptions(QApplication& app, Options* options, QString* error) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The RF calibration station."));
    parser.addHelpOption();
    AddPortOption(parser);
    parser.addOptions({
        {"no-splash", "Start without the start-up picture and its wait."},
        {"simulate", "Run the simulated bench inside the program: COM1 is a simulated target, "
                     "COM2 a simulated barcode scanner."},
        {"send",
         "After start-up open the target and send LINE through the manual command "
         "window (repeatable).",
         "LINE"},
        {"screenshot", "When the lines are done, save a picture of the screen to FILE and quit.",
         "FILE"},
    });
    AddVisaOptions(parser);
    AddBenchOptions(parser);
    parser.process(app);

    if (!ReadBenchOptions(parser, &options->bench, error))
        return false;
    PortMap::Instance().LoadStationSettings();
    VisaConfig::Instance().LoadStationSettings();
    if (!ApplyPortOptions(parser, error) || !ApplyVisaOptions(parser, error))
        return false;
    options->app.splash = !parser.isSet("no-splash");
    options->simulate = parser.isSet("simulate");
    options->sendLines = parser.values("send");
    options->screenshotFile = parser.value("screenshot");
    return true;
}

} // namespace

int main(int argc, char** argv) {
    CRftuneApp::SetApplicationIdentity();
    QApplication app(argc, argv);
    Options options;
    QString error;
    if (!ParseOptions(app, &options, &error))
        return Fail(error);
    std::unique_ptr<SimBench> bench; // outlives the station, whose port is open on it
    if (options.simulate) {
        bench = StartSimulation(options.bench, &error);
        if (!bench)
            return Fail(QStringLiteral("cannot start the simulated bench: %1").arg(error));
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
        return Fail(error);
    return status;
}
