// The run records in SQLite: written whole, read back, filtered, migrated, counted and charted.
#include "records/RecordSchema.h"
#include "records/RecordStats.h"
#include "records/RecordStore.h"
#include "records/window/RecordCharts.h"
#include "tests/records/RecordSamples.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

DatabaseLocation SqliteIn(const QTemporaryDir& dir) {
    QString error;
    return *ParseDatabaseUrl(QStringLiteral("sqlite:") + dir.filePath("line/records.sqlite"),
                             &error);
}

QDateTime At(int day, int hour) {
    return QDateTime(QDate(2026, 3, day), QTime(hour, 0));
}

} // namespace

TEST(RecordStore, aRunIsReadBackWholeStoredOnceAndFiltered) {
    QTemporaryDir dir;
    RecordStore store(SqliteIn(dir));
    const RunRecord passed = SampleRun("line 1", At(2, 9), RunOutcome::Success);
    const RunRecord failed = SampleRun("line 2", At(3, 9), RunOutcome::Failed);
    RunRecord stopped = SampleRun("line 1", At(3, 10), RunOutcome::Stopped);
    stopped.values.clear();
    stopped.txPower.clear();
    QString error;
    for (const RunRecord& run : {passed, failed, stopped, passed})
        ASSERT_TRUE(store.Write(run, &error)) << error.toStdString();

    const std::optional<QList<RunRecord>> all = store.Runs({}, true, &error);
    ASSERT_TRUE(all) << error.toStdString();
    ASSERT_EQ(all->size(), 3); // the run sent twice is there once
    EXPECT_EQ(RecordToJson(all->at(0)), RecordToJson(passed));
    EXPECT_EQ(RecordToJson(all->at(1)), RecordToJson(failed));
    EXPECT_EQ(RecordToJson(all->at(2)), RecordToJson(stopped));
    EXPECT_FALSE(all->at(0).txPower[1].dbm); // a failed measurement stays one

    const auto ids = [&](const RunFilter& filter) {
        QStringList found;
        const QList<RunRecord> runs =
            store.Runs(filter, false, &error).value_or(QList<RunRecord>());
        for (const RunRecord& run : runs)
            found << run.id;
        return found;
    };
    EXPECT_EQ(ids({At(3, 0), {}, {}, {}, {}}), (QStringList{failed.id, stopped.id}));
    EXPECT_EQ(ids({{}, At(3, 10), {}, {}, {}}), (QStringList{passed.id, failed.id}));
    EXPECT_EQ(ids({{}, {}, "line 1", {}, {}}), (QStringList{passed.id, stopped.id}));
    EXPECT_EQ(ids({{}, {}, {}, RunOutcome::Failed, {}}), QStringList{failed.id});
    EXPECT_EQ(ids({{}, {}, {}, {}, "QT320"}), QStringList{});
}

TEST(RecordStore, anOlderSchemaIsMigratedKeepingItsRunsAndANewerOneIsRefused) {
    QTemporaryDir dir;
    const DatabaseLocation location = SqliteIn(dir);
    QString error;
    {
        ASSERT_TRUE(OpenDatabase(location, "old", &error)) << error.toStdString();
        QSqlDatabase db = QSqlDatabase::database("old");
        ASSERT_TRUE(MigrateSchema(db, 1, &error)) << error.toStdString();
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(
            "INSERT INTO runs (id, host, station, started, ended, outcome, elapsed_ms) VALUES "
            "('old-run', 'pc', 'line 1', '2025-01-02T03:04:05.000Z', "
            "'2025-01-02T03:07:05.000Z', 'success', 180000)"));
        EXPECT_EQ(SchemaVersion(db, &error), 1);
        db.close();
    }
    QSqlDatabase::removeDatabase("old");

    RecordStore store(location);
    ASSERT_TRUE(store.Write(SampleRun("line 1", At(2, 9), RunOutcome::Success), &error))
        << error.toStdString();
    const std::optional<QList<RunRecord>> runs = store.Runs({}, true, &error);
    ASSERT_TRUE(runs) << error.toStdString();
    ASSERT_EQ(runs->size(), 2);
    EXPECT_EQ(runs->at(0).id, "old-run");
    EXPECT_EQ(runs->at(0).elapsedMs, 180000);
    EXPECT_TRUE(runs->at(0).testSetIdentity.isEmpty());
    EXPECT_FALSE(runs->at(1).testSetIdentity.isEmpty());
    store.Close();

    {
        ASSERT_TRUE(OpenDatabase(location, "newer", &error));
        QSqlDatabase db = QSqlDatabase::database("newer");
        EXPECT_EQ(SchemaVersion(db, &error), kRecordSchemaVersion);
        QSqlQuery(db).exec(
            QStringLiteral("UPDATE schema_version SET version = %1").arg(kRecordSchemaVersion + 1));
        db.close();
    }
    QSqlDatabase::removeDatabase("newer");
    RecordStore later(location);
    EXPECT_FALSE(later.Open(&error));
    EXPECT_TRUE(error.contains("newer than this program's")) << error.toStdString();
}

TEST(RecordStats, yieldIsTheSuccessesOverTheRunsPerDayPerStationAndOverall) {
    const QList<RunRecord> runs{
        SampleRun("line 1", At(2, 9), RunOutcome::Success),
        SampleRun("line 1", At(2, 10), RunOutcome::Failed),
        SampleRun("line 2", At(2, 11), RunOutcome::Success),
        SampleRun("line 1", At(3, 9), RunOutcome::Stopped),
        SampleRun("line 1", At(3, 10), RunOutcome::Success),
    };
    QStringList days;
    for (const YieldRow& row : YieldPerDay(runs))
        days << QStringLiteral("%1 %2 %3/%4")
                    .arg(row.day.toString(Qt::ISODate), row.station)
                    .arg(row.successes)
                    .arg(row.runs);
    EXPECT_EQ(days, (QStringList{"2026-03-02 line 1 1/2", "2026-03-02 line 2 1/1",
                                 "2026-03-03 line 1 1/2"}));
    const QList<YieldRow> stations = YieldPerStation(runs);
    ASSERT_EQ(stations.size(), 2);
    EXPECT_EQ(stations[0].runs, 4);
    EXPECT_EQ(stations[0].successes, 2);
    EXPECT_DOUBLE_EQ(OverallYield(runs).Percent(), 60.0);
    EXPECT_DOUBLE_EQ(OverallYield({}).Percent(), 0.0);

    // Each histogram counts a value a complete run keeps, titled with where it was measured.
    for (const QList<ValueChoice>& choices : {GmagicChoices(), RxChoices(), ApcChoices()})
        for (const ValueChoice& choice : choices)
            EXPECT_TRUE(runs[0].values.contains(choice.valueName)) << choice.title.toStdString();
    EXPECT_EQ(RxChoices().last().title, "RX channel 1023");
    EXPECT_EQ(ApcChoices().last().title, "APC DCS3 PCL 14");
}
