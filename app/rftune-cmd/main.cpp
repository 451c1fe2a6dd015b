// rftune-cmd: the manual command window on the command line.
#include "app/rftune-cmd/CommandRunner.h"
#include "app/rftune-cmd/EncodeOnly.h"
#include "app/startup/StationStartup.h"
#include "app/startup/StopSignals.h"

#include <QCoreApplication>
#include <QLoggingCategory>

namespace {

constexpr int kTargetPort = 1;
constexpr int kTargetBaud = 115200;

struct Options {
    bool encodeOnly = false;
    bool trace = false;
    QString device;
    int baud = kTargetBaud;
    int timeoutMs = ManualSession::kReplyTimeoutMs;
    QStringList lines;
};

void AddOwnOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {"device", "Open this device instead of COM1's.", "PATH"},
        {"baud", "Baud rate (default 115200).", "N"},
        {"timeout", "Reply time-out in milliseconds (default 3000).", "MS"},
        {"trace", "Write each packet sent and frame received in hex to standard error."},
        {"encode", "Open no port; print each line's encoder result and packet."},
    });
    parser.addPositionalArgument("LINE", "Command lines such as \"se 6\".", "[LINE ...]");
}

// A positive whole number of an option that is set, into value.
bool ReadPositive(const QCommandLineParser& parser, const char* name, int* value, QString* error) {
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const int n = parser.value(name).toInt(&ok);
    if (!ok || n <= 0) {
        *error = QStringLiteral("bad --%1 value \"%2\"").arg(name, parser.value(name));
        return false;
    }
    *value = n;
    return true;
}

bool ReadOptions(const QCommandLineParser& parser, Options* options, QString* error) {
    if (!ReadPositive(parser, "baud", &options->baud, error) ||
        !ReadPositive(parser, "timeout", &options->timeoutMs, error))
        return false;
    options->device = parser.value("device");
    options->trace = parser.isSet("trace");
    options->encodeOnly = parser.isSet("encode");
    options->lines = parser.positionalArguments();
    return true;
}

// Lines as typed, so that each encodes as it would from an argument or the window; blank lines
// carry no command and are skipped.
QStringList ReadStandardInput() {
    QStringList lines;
    QTextStream in(stdin);
    QString line;
    while (in.readLineInto(&line)) {
        if (!line.trimmed().isEmpty())
            lines.append(line);
    }
    return lines;
}

int RunLines(const StationStartup& startup, const Options& options, QTextStream& out) {
    CComm comm;
    const int opened = options.device.isEmpty() ? comm.Open(kTargetPort, options.baud)
                                                : comm.OpenDevice(options.device, options.baud);
    if (!opened)
        return startup.Fail(
            QStringLiteral("cannot open the target port: %1").arg(comm.LastError()));

    CommandRunner runner(comm, options.timeoutMs, out);
    const QStringList lines = options.lines.isEmpty() ? ReadStandardInput() : options.lines;
    // Once the lines are read: a signal ends the line in flight and nothing more is sent.
    StopSignals stopSignals;
    int stopStatus = 0;
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &runner,
                     [&runner, &stopStatus](int signalNumber) {
                         stopStatus = StopSignals::ExitStatus(signalNumber);
                         runner.Interrupt();
                     });
    bool allSucceeded = true;
    for (const QString& line : lines) {
        allSucceeded = runner.Run(line) && allSucceeded;
        if (runner.Interrupted())
            break;
        if (runner.PortLost())
            return startup.Fail(QStringLiteral("the target port %1 was lost").arg(comm.Device()));
    }
    comm.Close();
    if (stopStatus != 0)
        return stopStatus;
    return allSucceeded ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rftune-cmd"));
    // The VISA options are taken like on every executable, so a bench's options paste as they are.
    StationStartup startup(
        QStringLiteral("rftune-cmd"),
        QStringLiteral("Sends target command lines and prints the decoded replies, as the manual "
                       "command window does. Lines come from the arguments or, when there are "
                       "none, standard input."),
        StationStartup::kPortOptions | StationStartup::kVisaOptions);
    AddOwnOptions(startup.Parser());
    Options options;
    QString error;
    if (!startup.Process(app, &error) || !ReadOptions(startup.Parser(), &options, &error))
        return startup.Fail(error);
    if (options.trace) {
        QLoggingCategory::setFilterRules(QStringLiteral("rftune.link.trace.debug=true"));
        qSetMessagePattern(QStringLiteral("%{message}"));
    }
    QTextStream out(stdout);
    if (options.encodeOnly) {
        PrintEncodedPackets(options.lines.isEmpty() ? ReadStandardInput() : options.lines, out);
        return 0;
    }
    return RunLines(startup, options, out);
}
