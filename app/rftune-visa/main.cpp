// rftune-visa: writes SCPI lines to a VISA resource and prints the replies, for an engineer
// checking an instrument, a LAN/GPIB gateway or an alias.
#include "app/startup/StationStartup.h"
#include "visa/Visa.h"
#include "visa/VisaConfig.h"
#include "visa/VisaResource.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr ViUInt32 kDefaultTimeoutMs = 2000;
constexpr int kMaxReplyBytes = 1 << 20;
// The drivers' fixed addresses: the 8960, the 4400 and the supply.
const char* const kStationAddresses[] = {"GPIB0::14::INSTR", "GPIB0::4", "GPIB::5::INSTR"};

struct Options {
    QString resource;
    QStringList lines;
    ViUInt32 timeoutMs = kDefaultTimeoutMs;
    bool list = false;
};

void PrintError(const QString& message) {
    std::fprintf(stderr, "rftune-visa: %s\n", message.toLocal8Bit().constData());
}

QString Describe(ViObject object, ViStatus status) {
    ViChar text[VI_FIND_BUFLEN] = {};
    viStatusDesc(object, status, text);
    return QString::fromLocal8Bit(text);
}

void AddOwnOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {"timeout", "I/O time-out in milliseconds (default 2000).", "MS"},
        {"trace", "Write every line sent and received to standard error."},
        {"list", "Print what each of the station's addresses and aliases resolves to (alias, "
                 "board and interface) and the instrument's reply to \"*IDN?\"."},
    });
    parser.addPositionalArgument("RESOURCE", "A VISA resource, e.g. GPIB0::4 or "
                                             "TCPIP0::192.168.1.5::5025::SOCKET.");
    parser.addPositionalArgument("LINE", "SCPI lines such as \"*IDN?\".", "[LINE ...]");
}

bool ReadOptions(const QCommandLineParser& parser, Options* options, QString* error) {
    bool ok = true;
    if (parser.isSet("timeout"))
        options->timeoutMs = parser.value("timeout").toUInt(&ok);
    if (!ok) {
        *error = QStringLiteral("bad --timeout value \"%1\"").arg(parser.value("timeout"));
        return false;
    }
    // The tool reports each failure itself; the layer's own log joins in with --trace.
    QLoggingCategory::setFilterRules(parser.isSet("trace")
                                         ? QStringLiteral("rftune.visa.trace.debug=true")
                                         : QStringLiteral("rftune.visa.warning=false"));
    qSetMessagePattern(QStringLiteral("%{message}"));
    QStringList arguments = parser.positionalArguments();
    options->list = parser.isSet("list");
    if (options->list)
        return true;
    if (arguments.isEmpty()) {
        *error = QStringLiteral("no resource given (see --help)");
        return false;
    }
    options->resource = arguments.takeFirst();
    options->lines = arguments;
    return true;
}

// The reply up to its terminator, however many reads it takes.
ViStatus ReadReply(ViSession vi, QByteArray* reply) {
    ViByte buffer[4096];
    ViStatus status = VI_SUCCESS_MAX_CNT;
    while (status == VI_SUCCESS_MAX_CNT && reply->size() < kMaxReplyBytes) {
        ViUInt32 got = 0;
        status = viRead(vi, buffer, sizeof buffer, &got);
        reply->append(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(got));
    }
    while (reply->endsWith('\n') || reply->endsWith('\r'))
        reply->chop(1);
    return status;
}

bool RunLine(ViSession vi, const QString& text, QTextStream& out) {
    const QByteArray line = text.trimmed().toLatin1();
    if (line.isEmpty())
        return true;
    const QByteArray wire = line + '\n';
    ViUInt32 written = 0;
    ViStatus status = viWrite(vi, reinterpret_cast<ViConstBuf>(wire.constData()),
                              static_cast<ViUInt32>(wire.size()), &written);
    if (status >= VI_SUCCESS && line.endsWith('?')) {
        QByteArray reply;
        status = ReadReply(vi, &reply);
        if (status >= VI_SUCCESS)
            out << QString::fromLatin1(reply) << '\n' << Qt::flush;
    }
    if (status < VI_SUCCESS)
        PrintError(Describe(vi, status));
    return status >= VI_SUCCESS;
}

// Where resource goes: its alias, or its board's interface, or the system library.
QString Route(const QString& resource) {
    const QString target = VisaConfig::Instance().Resolve(resource);
    int board = 0;
    int address = 0;
    if (target.compare(resource, Qt::CaseInsensitive) != 0)
        return QStringLiteral("alias %1").arg(target);
    if (ParseGpibAddress(resource, &board, &address) &&
        !VisaConfig::Instance().Board(board).isEmpty())
        return QStringLiteral("board GPIB%1 %2")
            .arg(board)
            .arg(VisaConfig::Instance().Board(board));
    return QStringLiteral("as written");
}

// The instrument's identity, or what kept it from answering.
bool Identify(ViSession rm, const QString& resource, ViUInt32 timeoutMs, QString* answer) {
    ViSession vi = VI_NULL;
    ViStatus status = viOpen(rm, resource.toLatin1().constData(), VI_NO_LOCK, 0, &vi);
    if (status >= VI_SUCCESS)
        status = viSetAttribute(vi, VI_ATTR_TMO_VALUE, timeoutMs);
    static const QByteArray query("*IDN?\n");
    ViUInt32 written = 0;
    if (status >= VI_SUCCESS)
        status = viWrite(vi, reinterpret_cast<ViConstBuf>(query.constData()),
                         static_cast<ViUInt32>(query.size()), &written);
    QByteArray reply;
    if (status >= VI_SUCCESS)
        status = ReadReply(vi, &reply);
    *answer = status >= VI_SUCCESS ? QString::fromLatin1(reply)
                                   : Describe(vi != VI_NULL ? vi : rm, status);
    viClose(vi);
    return status >= VI_SUCCESS;
}

int List(const Options& options) {
    QStringList addresses;
    for (const char* address : kStationAddresses)
        addresses << QLatin1String(address);
    for (const QString& alias : VisaConfig::Instance().AliasNames()) {
        if (!addresses.contains(alias, Qt::CaseInsensitive))
            addresses << alias;
    }
    ViSession rm = VI_NULL;
    viOpenDefaultRM(&rm);
    QTextStream out(stdout);
    bool allAnswered = true;
    for (const QString& address : addresses) {
        QString answer;
        allAnswered = Identify(rm, address, options.timeoutMs, &answer) && allAnswered;
        out << address << "  " << Route(address) << "  " << answer << '\n';
    }
    viClose(rm);
    return allAnswered ? 0 : 1;
}

int Run(const Options& options) {
    if (options.list)
        return List(options);
    ViSession rm = VI_NULL;
    ViStatus status = viOpenDefaultRM(&rm);
    ViSession vi = VI_NULL;
    if (status >= VI_SUCCESS)
        status = viOpen(rm, options.resource.toLatin1().constData(), VI_NO_LOCK, 0, &vi);
    if (status >= VI_SUCCESS)
        status = viSetAttribute(vi, VI_ATTR_TMO_VALUE, options.timeoutMs);
    if (status < VI_SUCCESS) {
        PrintError(Describe(vi != VI_NULL ? vi : rm, status));
        viClose(rm);
        return StationStartup::kExitUsage;
    }
    QTextStream out(stdout);
    bool allSucceeded = true;
    for (const QString& line : options.lines)
        allSucceeded = RunLine(vi, line, out) && allSucceeded;
    if (options.lines.isEmpty()) {
        const bool prompt = isatty(STDIN_FILENO) != 0;
        QTextStream in(stdin);
        QString line;
        for (;;) {
            if (prompt)
                out << "> " << Qt::flush;
            if (!in.readLineInto(&line))
                break;
            allSucceeded = RunLine(vi, line, out) && allSucceeded;
        }
    }
    viClose(rm);
    return allSucceeded ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rftune-visa"));
    StationStartup startup(
        QStringLiteral("rftune-visa"),
        QStringLiteral("Writes each LINE to the VISA resource and prints the reply of every line "
                       "that ends in \"?\". Lines come from the arguments or, when there are none, "
                       "standard input."),
        StationStartup::kVisaOptions);
    AddOwnOptions(startup.Parser());
    Options options;
    QString error;
    if (!startup.Process(app, &error) || !ReadOptions(startup.Parser(), &options, &error))
        return startup.Fail(error);
    return Run(options);
}
