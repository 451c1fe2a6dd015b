// rftune-sim: the simulated bench on its own, for the station's executables to connect to.
#include "app/rftune-sim/BenchConsole.h"
#include "app/startup/StationStartup.h"
#include "sim/bench/SimBench.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    BenchConsole::HoldQuitSignals();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rftune-sim"));
    StationStartup startup(
        QStringLiteral("rftune-sim"),
        QStringLiteral(
            "Starts a simulated bench: a virtual phone on COM1 and a barcode scanner on COM2, on "
            "pseudo-terminals, and a virtual 8960, Willtek 4400 and bench supply on loopback "
            "ports. Prints the options that connect the station's executables to it. Standard "
            "input takes insert, remove, status and quit."),
        StationStartup::kBenchOptions);
    QString error;
    if (!startup.Process(app, &error))
        return startup.Fail(error);
    SimBench bench(startup.Bench());
    if (!bench.Start(&error))
        return startup.Fail(error);

    QTextStream out(stdout);
    out << bench.ClientOptions().join(QLatin1Char(' ')) << '\n';
    out.flush();
    BenchConsole console(bench, out);
    QObject::connect(&console, &BenchConsole::quitRequested, &app, &QCoreApplication::quit);
    app.exec();
    if (!bench.Stop(&error))
        return startup.Fail(error);
    return 0;
}
