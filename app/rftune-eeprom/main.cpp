// rftune-eeprom: the EEPROM map viewer on the command line, for comparing units in a script.
#include "app/rftune-eeprom/EepromOptions.h"
#include "app/startup/Simulation.h"
#include "app/startup/StationStartup.h"
#include "link/Scanner.h"
#include "sessions/EepromMapSession.h"
#include "sim/bench/SimBench.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr int kTargetPort = 1;
constexpr int kTargetBaud = 115200;
constexpr int kExitNoAnswer = 1;

int WriteMap(const EepromMapSession& session, const EepromOptions& options,
             const StationStartup& startup) {
    QString error;
    if (!options.out.isEmpty())
        return session.Save(options.out, options.format, &error) ? 0 : startup.Fail(error);
    const QByteArray dump = EepromMapContents(session.Map(), options.format);
    std::fwrite(dump.constData(), 1, static_cast<std::size_t>(dump.size()), stdout);
    std::fflush(stdout);
    return 0;
}

// Walks the map to its end; only a complete map is written.
int ReadMap(CComm& comm, const EepromOptions& options, const StationStartup& startup) {
    EepromMapSession session(comm);
    session.Link().SetReplyTimeoutMs(options.timeoutMs);
    session.SetResultDirectory(options.resultDirectory);
    EepromWalkEnd end = EepromWalkEnd::NoReply;
    QObject::connect(&session, &EepromMapSession::walkEnded, [&end](EepromWalkEnd walkEnd) {
        end = walkEnd;
        QCoreApplication::exit();
    });
    if (!session.Read())
        return startup.Fail(QStringLiteral("the target port %1 closed").arg(comm.Device()));
    QCoreApplication::exec();
    if (end == EepromWalkEnd::Complete)
        return WriteMap(session, options, startup);
    // A bad block has been told already; a silent target is told here, with where it stopped.
    const QString text = end == EepromWalkEnd::NoReply
                             ? QString::fromLatin1(EepromMapSession::kSerialCommErrorText)
                             : QStringLiteral("reading stopped");
    std::fprintf(stderr, "rftune-eeprom: %s at address %d\n", text.toLocal8Bit().constData(),
                 session.ReadAddress());
    return kExitNoAnswer;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rftune-eeprom"));
    StationStartup startup(
        QStringLiteral("rftune-eeprom"),
        QStringLiteral("Reads the target's EEPROM map, addresses 0 to 2559, as the EEPROM map "
                       "viewer does, and writes it as a hex dump or a binary image; appends "
                       "Eepresult.txt. Exits 0 with a complete map, 1 when the target stopped "
                       "answering, 2 for a usage or port error."),
        StationStartup::kPortOptions | StationStartup::kSimulate);
    AddEepromOptions(startup.Parser());
    EepromOptions options;
    QString error;
    if (!startup.Process(app, &error) || !ReadEepromOptions(startup.Parser(), &options, &error))
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
    const int status = ReadMap(comm, options, startup);
    comm.Close();
    if (bench && !bench->Stop(&error))
        return startup.Fail(error);
    return status;
}
