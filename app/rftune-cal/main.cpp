// rftune-cal: the calibration station without its window, for scripts, CI and soak tests.
#include "app/rftune-cal/CalOptions.h"
#include "app/startup/Simulation.h"
#include "app/startup/StationStartup.h"
#include "app/startup/StopSignals.h"
#include "autocal/CalibrationEngine.h"
#include "base/MessageService.h"
#include "link/Scanner.h"
#include "records/RecordSettings.h"
#include "records/RecordWriter.h"
#include "sim/bench/SimBench.h"
#include "station/CalibrationStation.h"
#include "station/StationCycle.h"

#include <QCoreApplication>
#include <QTextStream>

#include <optional>

#include <cstdio>

namespace {

constexpr int kTargetPort = 1;
constexpr int kTargetBaud = 115200;

// Boxes nobody could close: their texts go to standard error, after the program's name.
class StderrMessages final : public MessageSink {
public:
    StderrMessages() : previous_(SetMessageSink(this)) {}
    ~StderrMessages() override { SetMessageSink(previous_); }
    StderrMessages(const StderrMessages&) = delete;
    StderrMessages& operator=(const StderrMessages&) = delete;

    void Show(const QString& text, MessageIcon) override {
        std::fprintf(stderr, "rftune-cal: %s\n", text.trimmed().toLocal8Bit().constData());
        std::fflush(stderr);
    }

private:
    MessageSink* previous_;
};

// The result tables, as the window's lists show them.
void PrintResults(QTextStream& out, const CalibrationStation& station, const ResultHeader& header,
                  QObject& context) {
    QObject::connect(&station.Engine(), &CalibrationEngine::resultsShown, &context,
                     [&out, header](int calibration, const CalibrationResults& results) {
                         for (const QString& line : ResultBlockLines(
                                  static_cast<ActiveCalibration>(calibration), results, header))
                             out << line << '\n';
                         out.flush();
                     });
}

int RunCycle(CComm& comm, const CycleOptions& options, const DatabaseLocation& records) {
    StderrMessages messages;
    QTextStream out(stdout);
    const auto notice = [&messages](const QString& text) {
        messages.Show(text, MessageIcon::Exclamation);
    };
    CalibrationStation station(comm, records);
    StationCycle cycle(station, comm, options, StationCycle::EngineButtons(station, options));
    QObject::connect(station.Records(), &RecordWriter::noticeShown, &cycle, notice);
    QObject::connect(&station.Engine(), &CalibrationEngine::noticeShown, &cycle, notice);
    QObject::connect(&station.Engine(), &CalibrationEngine::testSetInitFailed, &cycle, notice);
    PrintResults(out, station, options.header, cycle);
    QObject::connect(&cycle, &StationCycle::lineShown, [&out](const QString& line) {
        out << line << '\n';
        out.flush();
    });
    QObject::connect(&cycle, &StationCycle::problemShown,
                     [&messages](const QString& text) { messages.Show(text, MessageIcon::Error); });
    QObject::connect(&cycle, &StationCycle::finished, &QCoreApplication::exit);
    // Ctrl-C, a kill or a closed terminal: the phone is stopped and the run recorded first.
    StopSignals stopSignals;
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &cycle, [&cycle](int signalNumber) {
        cycle.Interrupt(StopSignals::ExitStatus(signalNumber));
    });
    cycle.Start();
    return QCoreApplication::exec();
}

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
            "Prints every status line, the result tables and the outcome; appends "
            "calresult.txt. --supply names the configured supply and, with --simulate, the "
            "simulated one."),
        StationStartup::kPortOptions | StationStartup::kVisaOptions | StationStartup::kSimulate |
            StationStartup::kRecordOptions);
    AddCalOptions(startup.Parser());
    CycleOptions options;
    QString error;
    if (!startup.Process(app, &error) || !ReadCalOptions(startup.Parser(), &options, &error))
        return startup.Fail(error);
    const std::optional<DatabaseLocation> records =
        ParseDatabaseUrl(RecordSettings::DatabaseUrl(), &error);
    if (!records)
        return startup.Fail(QStringLiteral("[Records] Database: %1").arg(error));
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
    const int status = RunCycle(comm, options, *records);
    comm.Close();
    if (bench && !bench->Stop(&error))
        return startup.Fail(error);
    return status;
}
