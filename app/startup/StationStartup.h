#pragma once

#include "sim/bench/BenchOptions.h"

#include <QCommandLineParser>
#include <QString>

class QCoreApplication;

// What every executable does before its own work: one command line with the options the
// executables share, the station's settings file read first and the command line winning, and
// one way to stop with a reason.
class StationStartup {
public:
    enum Shared : unsigned {
        kPortOptions = 0x1,  // --port, --command-gap-ms, and the [Ports] and [Link] settings
        kVisaOptions = 0x2,  // --visa-alias, --visa-library, --time-scale, and the [Visa] settings
        kBenchOptions = 0x4, // the simulated bench's options
        kSimulate = 0x8,     // --simulate: run the simulated bench inside the program
        kRecordOptions = 0x10, // --records, --station, and the [Records] settings
    };

    static constexpr int kExitUsage = 2;

    StationStartup(QString program, const QString& description, unsigned shared);

    // For the executable's own options and arguments, before Process.
    QCommandLineParser& Parser() { return parser_; }

    // Parses the command line (--help and --version answer and end the program), then loads
    // the settings and applies the shared options over them. False with *error for an unknown
    // option or a bad value.
    bool Process(const QCoreApplication& app, QString* error);
    bool Process(const QStringList& arguments, QString* error);

    // Whether the command line asks for --help or --version, which need no window system: a
    // program with windows answers them before it starts one. A command line that does not
    // parse (it may hold the window system's own options) does not ask.
    bool AsksForHelpOrVersion(int argc, char** argv);
    // Shows the help or the version and ends the program, when the parsed command line asks.
    void AnswerHelpOrVersion();

    bool Simulate() const { return simulate_; }
    const BenchOptions& Bench() const { return bench_; }

    // Prints "program: message" on standard error and returns kExitUsage, for main to return.
    int Fail(const QString& message) const;

private:
    bool ApplyShared(QString* error);

    QString program_;
    unsigned shared_;
    QCommandLineParser parser_;
    BenchOptions bench_;
    bool simulate_ = false;
};
