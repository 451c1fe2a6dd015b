// rftune-cmd: the manual command window on the command line.
#include "CommandRunner.h"
#include "EncodeOnly.h"
#include "LinkLog.h"
#include "PortMap.h"
#include "VisaConfig.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstdio>

namespace {

constexpr int kExitUsage = 2;
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

int Fail(const QString& message) {
    std::fprintf(stderr, "rftune-cmd: %s\n", message.toLocal8Bit().constData());
    return kExitUsage;
}

bool ParseOptions(QCoreApplication& app, Options* options, QString* error) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Sends target command lines and prints the decoded replies, as the manual command "
        "window does. Lines come from the arguments or, when there are none, standard input."));
    parser.addHelpOption();
    AddPortOption(parser);
    AddVisaOptions(parser); // taken like every executable, so a bench's options paste as they are
    parser.addOptions({
        {"device", "Open this device instead of COM1's.", "PATH"},
        {"baud", "Baud rate (default 115200).", "N"},
        {"timeout", "Reply time-out in milliseconds (default 3000).", "MS"},
        {"trace", "Write each packet sent and frame received in hex to standard error."},
        {"encode", "Open no port; print each line's encoder result and packet."},
    });
    parser.addPositionalArgument("LINE", "Command lines such as \"se 6\".", "[LINE ...]");
    parser.process(app);

    PortMap::Instance().LoadStationSettings();
    VisaConfig::Instance().LoadStationSettings();
    if (!ApplyPortOptions(parser, error) || !ApplyVisaOptions(parser, error))
        return false;
    bool ok = true;
    if (parser.isSet("baud"))
        options->baud = parser.value("baud").toInt(&ok);
    if (!ok || options->baud <= 0) {
        *error = QStringLiteral("bad --baud value \"%1\"").arg(parser.value("baud"));
        return false;
    }
    if (parser.isSet("timeout"))
        options->timeoutMs = parser.value("timeout").toInt(&ok);
    if (!ok || options->timeoutMs <= 0) {
        *error = QStringLiteral("bad --timeout value \"%1\"").arg(parser.value("timeout"));
        return false;
    }
    options->device = parser.value("device");
    options->trace = parser.isSet("trace");
    options->encodeOnly = parser.isSet("encode");
    options->lines = parser.positionalArguments();
    return true;
}

QStringList ReadStandardInput() {
    QStringList lines;
    QTextStream in(stdin);
    QString line;
    while (in.readLineInto(&line))
        lines.append(line.trimmed());
    return lines;
}

int RunLines(const Options& options, QTextStream& out) {
    CComm comm;
    const int opened = options.device.isEmpty() ? comm.Open(kTargetPort, options.baud)
                                                : comm.OpenDevice(options.device, options.baud);
    if (!opened)
        return Fail(QStringLiteral("cannot open the target port: %1").arg(comm.LastError()));

    CommandRunner runner(comm, options.timeoutMs, out);
    const QStringList lines = options.lines.isEmpty() ? ReadStandardInput() : options.lines;
    bool allSucceeded = true;
    for (const QString& line : lines) {
        allSucceeded = runner.Run(line) && allSucceeded;
        if (runner.PortLost())
            return Fail(QStringLiteral("the target port %1 was lost").arg(comm.Device()));
    }
    comm.Close();
    return allSucceeded ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rftune-cmd"));
    Options options;
    QString error;
    if (!ParseOptions(app, &options, &error))
        return Fail(error);
    if (options.trace) {
        QLoggingCategory::setFilterRules(QStringLiteral("rftune.link.trace.debug=true"));
        qSetMessagePattern(QStringLiteral("%{message}"));
    }
    QTextStream out(stdout);
    if (options.encodeOnly) {
        PrintEncodedPackets(options.lines.isEmpty() ? ReadStandardInput() : options.lines, out);
        return 0;
    }
    return RunLines(options, out);
}
