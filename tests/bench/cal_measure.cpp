// Measures complete calibrations on the simulated bench: how long a run takes beyond the waits
// the calibrations mandate, what that is per command against the time its bytes take on a
// 115200-baud line, the CPU the station uses, and its memory from unit to unit.
#include "app/startup/Simulation.h"
#include "app/startup/StationStartup.h"
#include "autocal/CalibrationEngine.h"
#include "base/StationClock.h"
#include "link/Scanner.h"
#include "sim/bench/SimBench.h"
#include "station/CalibrationStation.h"
#include "station/StationCycle.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr double kLineSecondsPerByte = 10.0 / 115200.0; // start, 8 data bits, stop

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double ResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

// What the allocator has handed out and not had back: the heap the station holds, without the
// pages the allocator keeps for reuse.
double HeapInUseMegabytes() {
    return static_cast<double>(mallinfo2().uordblks) / 1048576.0;
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// What the counters said when a run started.
struct RunStart {
    QElapsedTimer wall;
    double cpu = 0.0;
    double waited = 0.0;
    qint64 continueMs = 0;
    int commands = 0;
    long long bytes = 0;
};

class Measurement {
public:
    Measurement(CComm& comm, const CalibrationStation& station) : comm_(comm), station_(station) {}

    void OnRunStarted() {
        const CalibrationEngine& engine = station_.Engine();
        start_.wall.start();
        start_.cpu = CpuSeconds();
        start_.waited = StationClock::WaitedSeconds();
        start_.continueMs = engine.ContinueWaitMs();
        start_.commands = engine.CommandsSent();
        start_.bytes = comm_.BytesWritten() + comm_.BytesReceived();
    }

    void OnRunEnded(bool success) {
        const CalibrationEngine& engine = station_.Engine();
        const double wall = static_cast<double>(start_.wall.elapsed()) / 1000.0;
        const double waits = StationClock::WaitedSeconds() - start_.waited +
                             static_cast<double>(engine.ContinueWaitMs() - start_.continueMs) / 1e3;
        const int commands = std::max(1, engine.CommandsSent() - start_.commands);
        const auto bytes = comm_.BytesWritten() + comm_.BytesReceived() - start_.bytes;
        const double overhead = wall - waits;
        std::printf("unit %d %s: wall %.2f s, mandated waits %.2f s, overhead %.3f s = %.2f ms "
                    "per command (%d commands; their bytes take %.2f ms each on the line), CPU "
                    "%.2f %% of one core, memory %.1f MB (peak %.1f MB, heap in use %.2f MB)\n",
                    ++units_, success ? "passed" : "FAILED", wall, waits, overhead,
                    overhead * 1000.0 / commands, commands,
                    static_cast<double>(bytes) * kLineSecondsPerByte * 1000.0 / commands,
                    100.0 * (CpuSeconds() - start_.cpu) / std::max(wall, 1e-3), ResidentMegabytes(),
                    PeakMegabytes(), HeapInUseMegabytes());
        std::fflush(stdout);
    }

private:
    CComm& comm_;
    const CalibrationStation& station_;
    RunStart start_;
    int units_ = 0;
};

bool ReadUnits(const QCommandLineParser& parser, int* units, QString* error) {
    if (!parser.isSet("units"))
        return true;
    bool ok = false;
    *units = parser.value("units").toInt(&ok);
    if (ok && *units > 0)
        return true;
    *error = QStringLiteral("bad --units value \"%1\"").arg(parser.value("units"));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    StationStartup startup(
        QStringLiteral("cal_measure"),
        QStringLiteral("Runs complete calibrations on the simulated bench and prints, per unit, "
                       "the wall time, the waits the calibrations mandate, the overhead per "
                       "command, the CPU share and the memory."),
        StationStartup::kPortOptions | StationStartup::kVisaOptions |
            StationStartup::kBenchOptions);
    startup.Parser().addOptions({
        {"units", "Calibrate N simulated units one after another (default 1).", "N"},
        {"test-set", "\"W4400M\" (default) or \"A8960 E5515B\".", "TEXT"},
    });
    CycleOptions options;
    QString error;
    if (!startup.Process(app, &error) || !ReadUnits(startup.Parser(), &options.units, &error))
        return startup.Fail(error);
    if (startup.Parser().isSet("test-set"))
        options.config.testSetType = TestSetTypeFromText(startup.Parser().value("test-set"));
    BenchOptions benchOptions = startup.Bench();
    benchOptions.autoOperator = options.units > 1; // someone takes each unit off
    std::unique_ptr<SimBench> bench = StartSimulation(benchOptions, &error);
    if (!bench)
        return startup.Fail(QStringLiteral("cannot start the simulated bench: %1").arg(error));
    options.resultDirectory = QDir::tempPath();
    CComm comm;
    if (!comm.Open(1, 115200))
        return startup.Fail(comm.LastError());
    int status = 0;
    {
        // Without records: a measurement is no run of the line's.
        CalibrationStation station(comm, std::nullopt);
        StationCycle cycle(station, comm, options, StationCycle::EngineButtons(station, options));
        Measurement measurement(comm, station);
        QObject::connect(&cycle, &StationCycle::runStarted,
                         [&measurement] { measurement.OnRunStarted(); });
        QObject::connect(&cycle, &StationCycle::runEnded, [&measurement](const RunEnd& end) {
            measurement.OnRunEnded(end.outcome == RunOutcome::Success);
        });
        QObject::connect(&cycle, &StationCycle::problemShown, [](const QString& text) {
            std::fprintf(stderr, "cal_measure: %s\n", text.toLocal8Bit().constData());
        });
        QObject::connect(&cycle, &StationCycle::finished, &QCoreApplication::exit);
        cycle.Start();
        status = QCoreApplication::exec();
    }
    comm.Close();
    bench->Stop(&error);
    return status;
}
