// Measures the run records at a line's scale: builds a database of N runs through the station's
// own record store, then runs each reading in a process of its own and prints its wall time and
// peak memory (the child's high-water mark of resident memory): the Records window's list and first
// page, each of its charts, rftune-report's yield, chart sheet, a filtered listing and both
// exports. The figures are printed, never judged.
#include "app/startup/StationStartup.h"
#include "records/RecordStats.h"
#include "records/RecordValues.h"
#include "records/RecordsSession.h"
#include "tests/records/RecordSamples.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr qint64 kRunSpacingSecs = 300; // a phone every 5 minutes

// A pseudo-random spread that is the same on every build of the database.
int Spread(qint64 run, int salt, int span) {
    const quint64 mixed =
        (static_cast<quint64>(run) * 2654435761u + static_cast<quint64>(salt) * 40503u) %
        2147483647u;
    return static_cast<int>(mixed % static_cast<quint64>(span)) - span / 2;
}

// A station's record, its values spread as a line's are, every twelfth failed in DCS TX.
RunRecord UnitRun(qint64 run, const QDateTime& first) {
    RunRecord record =
        SampleRun(QStringLiteral("line %1").arg(run % 3 + 1), first.addSecs(run * kRunSpacingSecs),
                  run % 12 == 5 ? RunOutcome::Failed : RunOutcome::Success);
    int salt = 0;
    for (qint64& value : record.values)
        value += Spread(run, ++salt, 16);
    for (int level = 5; level < 19; ++level)
        for (int step = 0; step < 2; ++step)
            record.txPower << TxPowerSample{kBandEgsm, 1, level, 300 + 30 * level + step,
                                            33.0 - level + 0.25 * step};
    return record;
}

// An SQLite file is built without waiting for the disk at each run's commit: a station commits
// one run every few minutes, and a million of them would otherwise take hours to build. The
// readings open the file as the station does.
bool BuildWithoutDiskWaits(RecordStore& store, QString* error) {
    QSqlDatabase db = store.Connection(error);
    if (!db.isValid())
        return false;
    if (db.driverName() == QLatin1String("QSQLITE"))
        QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous = OFF"));
    return true;
}

// Adds runs until the database holds count of them, each through the store's own write.
bool Build(const DatabaseLocation& location, qint64 count, QString* error) {
    RecordStore store(location);
    const std::optional<YieldRow> held = OverallYield(store, {}, error);
    if (!held || !BuildWithoutDiskWaits(store, error))
        return false;
    const QDateTime first =
        QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC).addSecs(-count * kRunSpacingSecs);
    QElapsedTimer timer;
    timer.start();
    for (qint64 run = held->runs; run < count; ++run) {
        if (!store.Write(UnitRun(run, first), error))
            return false;
        if ((run + 1) % 100000 == 0)
            std::fprintf(stderr, "%lld runs after %.0f s\n", static_cast<long long>(run + 1),
                         static_cast<double>(timer.elapsed()) / 1000.0);
    }
    std::printf("built %lld runs in %.1f s (%lld were there)\n", static_cast<long long>(count),
                static_cast<double>(timer.elapsed()) / 1000.0, static_cast<long long>(held->runs));
    return true;
}

// The window's readings, in the child process: what opening it, and each chart, asks for.
bool WindowReading(const DatabaseLocation& location, const QString& reading, QString* error) {
    RecordsSession session(location);
    if (reading == QLatin1String("window"))
        return session.Reload(error);
    if (reading == QLatin1String("yield"))
        return YieldPer(session.Store(), {}, YieldPeriod::Day, error).has_value();
    if (reading == QLatin1String("search")) {
        RecordStore store(location);
        const auto newest = store.Page({}, nullptr, 1, error);
        RunRecord run;
        return newest && !newest->isEmpty() && store.ReadRun(newest->first().id, &run, error);
    }
    return session.Counts(reading, error).has_value();
}

struct Reading {
    const char* title;
    QStringList arguments; // of rftune-report, or of this program with --reading
    bool report;
};

QList<Reading> Readings(const QString& url, const QString& sheet) {
    const QStringList records{"--records", url};
    return {
        {"Records window: list and first page", {"--reading", "window"}, false},
        {"yield chart", {"--reading", "yield"}, false},
        {"GMAGIC GSM histogram", {"--reading", GmagicValueName(kBandEgsm)}, false},
        {"RX channel histogram", {"--reading", RxValueName(8)}, false},
        {"APC histogram", {"--reading", ApcValueName(kBandEgsm, 2, 10)}, false},
        {"APC search of the newest unit", {"--reading", "search"}, false},
        {"rftune-report --yield", records + QStringList{"--yield"}, true},
        {"rftune-report --plot", records + QStringList{"--plot", sheet}, true},
        {"filtered listing (station, outcome)",
         records + QStringList{"--station", "line 2", "--outcome", "failed"}, true},
        {"rftune-report --format csv", records + QStringList{"--format", "csv"}, true},
        {"rftune-report --format jsonl", records + QStringList{"--format", "jsonl"}, true},
    };
}

// The child's high-water mark of resident memory; 0 once it is gone.
double HighWaterMegabytes(pid_t pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0.0;
}

// Runs program with its output thrown away, looking at its memory every few milliseconds until
// it ends (spawned, so that the memory looked at is never this program's); false when it did not
// end with 0.
bool Measure(const QString& program, const QStringList& arguments, double* seconds,
             double* peakMegabytes) {
    QList<QByteArray> texts{program.toLocal8Bit()};
    for (const QString& argument : arguments)
        texts << argument.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    *peakMegabytes = 0.0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        *peakMegabytes = std::max(*peakMegabytes, HighWaterMegabytes(child));
        usleep(2000);
    }
    *seconds = static_cast<double>(timer.elapsed()) / 1000.0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void MeasureAll(const QString& url, const QString& sheet, qint64 runs) {
    const QString self = QCoreApplication::applicationFilePath();
    const QString report = QStringLiteral(RFTUNE_REPORT_PATH);
    for (const Reading& reading : Readings(url, sheet)) {
        double seconds = 0.0;
        double peak = 0.0;
        const bool ran = Measure(reading.report ? report : self,
                                 reading.report ? reading.arguments
                                                : reading.arguments + QStringList{"--records", url},
                                 &seconds, &peak);
        std::printf("| %lld | %s | %.2f s | %.0f MB |%s\n", static_cast<long long>(runs),
                    reading.title, seconds, peak, ran ? "" : " (failed)");
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    StationStartup startup(
        QStringLiteral("records_measure"),
        QStringLiteral("Builds a database of N run records (or adds to the one named) and measures "
                       "each reading of the Records window and of rftune-report on it."),
        0);
    startup.Parser().addOptions({
        {"runs", "How many runs the database holds (default 10000).", "N"},
        {"records", "The database: an SQLite file or postgresql://... (default: a temporary file).",
         "URL"},
        {"reading", "Internal: one reading of the Records window, in the child process.", "WHAT"},
    });
    QString error;
    if (!startup.Process(app, &error))
        return startup.Fail(error);
    const QTemporaryDir scratch;
    const QString url = startup.Parser().isSet("records")
                            ? startup.Parser().value("records")
                            : QStringLiteral("sqlite:") + scratch.filePath("records.sqlite");
    const std::optional<DatabaseLocation> location = ParseDatabaseUrl(url, &error);
    if (!location)
        return startup.Fail(error);
    if (startup.Parser().isSet("reading"))
        return WindowReading(*location, startup.Parser().value("reading"), &error)
                   ? 0
                   : startup.Fail(error);
    const qint64 runs = startup.Parser().value("runs").toLongLong();
    if (!Build(*location, runs > 0 ? runs : 10000, &error))
        return startup.Fail(error);
    std::printf("| runs | reading | time | peak memory |\n|---|---|---|---|\n");
    MeasureAll(url, scratch.filePath("sheet.png"), runs > 0 ? runs : 10000);
    return 0;
}
