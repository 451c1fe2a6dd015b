// Soaks of simulated units, some flawed, into the run records, read back directly and through
// rftune-report.
#include "records/RecordSchema.h"
#include "records/RecordStore.h"
#include "tests/records/PostgresServer.h"
#include "tests/records/SoakRun.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

QList<RunRecord> AllRuns(const QString& url, const QString& station = QStringLiteral("line 1")) {
    QString error;
    RecordStore store(*ParseDatabaseUrl(url, &error));
    return store.Runs({{}, {}, station, {}, {}}, true, &error).value_or(QList<RunRecord>());
}

QByteArray FileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Every record against what the station printed and appended: outcomes, failure texts, the
// result blocks of calresult.txt, the instruments and the measurements. Which units the
// automatic operator brings flawed depends on how quickly the station sees each swap, so the
// failures are counted from what the station printed.
void ExpectRecordsMatch(const SoakRun& soak, const QList<RunRecord>& runs, int units) {
    ASSERT_EQ(runs.size(), units);
    QStringList failures;
    for (const RunRecord& run : runs) {
        EXPECT_EQ(run.station, "line 1");
        EXPECT_EQ(run.name, "soak");
        EXPECT_EQ(run.run, "all");
        EXPECT_TRUE(run.testSetIdentity.contains("E5515B")) << run.testSetIdentity.toStdString();
        EXPECT_TRUE(run.supplyIdentity.contains("E3632A")) << run.supplyIdentity.toStdString();
        EXPECT_EQ(run.config.testSetType, kTestSet8960);
        EXPECT_EQ(run.gmagic.size(), 4); // a pair of samples per band
        EXPECT_GT(run.elapsedMs, 0);
        if (run.outcome == RunOutcome::Failed) {
            EXPECT_FALSE(run.failedCalibration.isEmpty());
            failures << run.failureText;
        } else {
            EXPECT_EQ(run.outcome, RunOutcome::Success);
            EXPECT_FALSE(run.txPower.isEmpty());
        }
    }
    EXPECT_FALSE(failures.isEmpty());
    EXPECT_EQ(failures, soak.FailureLines());
    EXPECT_EQ(soak.Out().count("Calibration Success...."), units - failures.size());
    EXPECT_EQ(FileText(soak.Path("calresult.txt")), CalresultOf(runs));
}

qsizetype Successes(const QList<RunRecord>& runs) {
    return std::count_if(runs.begin(), runs.end(),
                         [](const RunRecord& run) { return run.outcome == RunOutcome::Success; });
}

QString YieldLine(const QString& label, qsizetype runs, qsizetype successes) {
    return QStringLiteral("%1 %2 %3 %4 %")
        .arg(label)
        .arg(runs)
        .arg(successes)
        .arg(100.0 * static_cast<double>(successes) / static_cast<double>(runs), 0, 'f', 1);
}

} // namespace

TEST(RecordsSoak, twentyUnitsInSqliteMatchCalresultAndTheReportCountsTheirYield) {
    constexpr int kUnits = 20;
    constexpr int kFlawEvery = 4;
    SoakRun soak;
    const QString records = "sqlite:" + soak.Path("records.sqlite");
    soak.Start(records, kUnits, kFlawEvery);
    ASSERT_TRUE(soak.Finish()) << soak.Err().toStdString();
    EXPECT_EQ(soak.ExitCode(), 1) << soak.Err().toStdString(); // some units failed
    const QList<RunRecord> runs = AllRuns(records);
    ExpectRecordsMatch(soak, runs, kUnits);
    const qsizetype successes = Successes(runs);

    int exitCode = -1;
    const QStringList csv = Report({"--records", records, "--format", "csv"}, &exitCode);
    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(csv.size(), kUnits + 1);
    EXPECT_TRUE(csv[0].startsWith("started,station,host,model,stage,name,run,outcome,"));
    EXPECT_EQ(csv.filter(",success,").size(), successes);
    EXPECT_EQ(csv.filter(",failed,").size(), kUnits - successes);

    const QStringList yield = Report({"--records", records, "--yield"}, &exitCode);
    EXPECT_EQ(exitCode, 0);
    ASSERT_FALSE(yield.isEmpty());
    EXPECT_EQ(yield.last().simplified(), YieldLine("all", kUnits, successes));
    EXPECT_EQ(yield.filter("station line 1").value(0).simplified(),
              YieldLine("station line 1", kUnits, successes));

    const QStringList failed =
        Report({"--records", records, "--format", "jsonl", "--outcome", "failed"}, &exitCode);
    ASSERT_EQ(failed.size(), kUnits - successes);
    const auto firstFailed = std::find_if(runs.begin(), runs.end(), [](const RunRecord& run) {
        return run.outcome == RunOutcome::Failed;
    });
    EXPECT_EQ(QJsonDocument::fromJson(failed[0].toUtf8()).object(), RecordToJson(*firstFailed));

    const QString png = soak.Path("records.png");
    Report({"--records", records, "--plot", png}, &exitCode);
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(QImage(png).isNull());

    const QStringList bad = Report({"--records", records, "--outcome", "maybe"}, &exitCode);
    EXPECT_EQ(exitCode, 2);
}

TEST(RecordsSoak, aPostgresqlServerThatGoesAwayMidSoakLosesNoRecordAndAnOlderSchemaIsMigrated) {
    if (PostgresServer::BinDirectory().isEmpty())
        GTEST_SKIP() << "the PostgreSQL server is not installed (Debian: postgresql); "
                        "scripts/install-deps installs it";
    PostgresServer server;
    QString error;
    ASSERT_TRUE(server.Create(&error)) << error.toStdString();
    {
        // A line whose records were made by an older station.
        ASSERT_TRUE(OpenDatabase(*ParseDatabaseUrl(server.Url(), &error), "older", &error))
            << error.toStdString();
        QSqlDatabase db = QSqlDatabase::database("older");
        ASSERT_TRUE(MigrateSchema(db, 2, &error)) << error.toStdString();
        ASSERT_TRUE(QSqlQuery(db).exec(
            "INSERT INTO runs (id, host, station, started, ended, outcome) VALUES ('old-run', "
            "'pc', 'line 0', '2025-01-02T03:04:05.120Z', '2025-01-02T03:07:05.000Z', 'failed')"));
        db.close();
    }
    QSqlDatabase::removeDatabase("older");

    constexpr int kUnits = 6;
    constexpr int kFlawEvery = 3;
    SoakRun soak;
    soak.Start(server.Url(), kUnits, kFlawEvery);
    ASSERT_TRUE(QTest::qWaitFor([&] { return AllRuns(server.Url()).size() >= 2; }, 300000));
    ASSERT_TRUE(server.Stop(&error)) << error.toStdString();
    const QDir spool(soak.SpoolDirectory());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !spool.entryList({"*.run.json"}, QDir::Files).isEmpty(); }, 300000));
    ASSERT_TRUE(server.Start(&error)) << error.toStdString();
    ASSERT_TRUE(soak.Finish()) << soak.Err().toStdString();

    const QList<RunRecord> runs = AllRuns(server.Url());
    ExpectRecordsMatch(soak, runs, kUnits);
    EXPECT_TRUE(spool.entryList({"*.run.json"}, QDir::Files).isEmpty());
    EXPECT_EQ(soak.Err().count("cannot be written"), 1) << soak.Err().toStdString();
    EXPECT_TRUE(soak.Err().contains("kept records were sent")) << soak.Err().toStdString();

    int exitCode = -1;
    const QList<RunRecord> old = AllRuns(server.Url(), "line 0");
    ASSERT_EQ(old.size(), 1);
    EXPECT_EQ(old[0].started, QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5, 120), Qt::UTC));
    const QStringList yield =
        Report({"--records", server.Url(), "--yield", "--station", "line 1"}, &exitCode);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(yield.value(yield.size() - 1).simplified(),
              YieldLine("all", kUnits, Successes(runs)));
    // The process control's own queries on the server, and the sheet's counts and the newest
    // passed unit read whole.
    EXPECT_FALSE(Report({"--records", server.Url(), "--spc"}, &exitCode).isEmpty());
    const QString png = soak.Path("records.png");
    Report({"--records", server.Url(), "--plot", png}, &exitCode);
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(QImage(png).isNull());
}
