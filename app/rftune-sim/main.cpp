// rftune-sim: the simulated bench on its own, for the station's executables to connect to.
#include "BenchConsole.h"
#include "SimBench.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

int Fail(const QString& message) {
    std::fprintf(stderr, "rftune-sim: %s\n", message.toLocal8Bit().constData());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    BenchConsole::HoldQuitSignals();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rftune-sim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Starts a simulated bench: a virtual phone on COM1 and a barcode scanner on COM2, on "
        "pseudo-terminals, and a virtual 8960, Willtek 4400 and bench supply on loopback ports. "
        "Prints the options that connect the station's executables to it. Standard input takes "
        "insert, remove, status and quit."));
    parser.addHelpOption();
    AddBenchOptions(parser);
    parser.process(app);

    BenchOptions options;
    QString error;
    if (!ReadBenchOptions(parser, &options, &error))
        return Fail(error);
    SimBench bench(options);
    if (!bench.Start(&error))
        return Fail(error);

    QTextStream out(stdout);
    out << bench.ClientOptions().join(QLatin1Char(' ')) << '\n';
    out.flush();
    BenchConsole console(bench, out);
    QObject::connect(&console, &BenchConsole::quitRequested, &app, &QCoreApplication::quit);
    app.exec();
    if (!bench.Stop(&error))
        return Fail(error);
    return 0;
}
