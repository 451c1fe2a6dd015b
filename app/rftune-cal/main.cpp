// rftune-cal: the calibration station without its window, for scripts, CI and soak tests.
#include "CalOptions.h"
#include "CalRunner.h"
#include "Scanner.h"
#include "SimBench.h"
#include "Simulation.h"
#include "StationStartup.h"

#include <QCoreApplication>

namespace {
constexpr int kTargetPort = 1;
constexpr int kTargetBaud = 115200;
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rftune-cal"));
    StationStartup startup(
        QStringLiteral("rftune-cal"),
        QStringLiteral(
            "Runs the calibration station without its window: checks the instruments, waits for "
            "a target to draw current from the supply (without a supply it starts at once), "
            "calibrates it, and for each further unit waits for its removal and the next one. "
            "Prints every status "
            "line, the result tables and the outcome; appends calresult.txt. --supply names the "
            "configured supply and, with --simulate, the simulated one."),
        StationStartup::kPortOptions | StationStartup::kVisaOptions | StationStartup::kSimulate);
    AddCalOptions(startup.Parser());
    CalOptions options;
    QString error;
    if (!startup.Process(app, &error) || !ReadCalOptions(startup.Parser(), &options, &error))
        return startup.Fail(error);
    std::unique_ptr<SimBench> bench; // outlives the port open on it
    if (startup.Simulate()) {
        bench = StartSimulation(startup.Bench(), &error);
        if (!bench)
            return startup.Fail(QStringLiteral("cannot start the simulated bench: %1").arg(error));
    }
    CComm comm;
    if (!comm.Open(kTargetPort, kTargetBaud))
        return startup.Fail(
            QStringLiteral("cannot open the target port: %1").arg(comm.LastError()));

    QTextStream out(stdout);
    int status = 0;
    {
        CalRunner runner(comm, options, out);
        runner.Start();
        status = app.exec();
    }
    comm.Close();
    if (bench && !bench->Stop(&error))
        return startup.Fail(error);
    return status;
}
