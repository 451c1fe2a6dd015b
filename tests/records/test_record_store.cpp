// The run records in SQLite: written whole, read back, filtered, migrated, counted, charted and
// listed a page at a time.
#include "records/RecordSchema.h"
#include "records/RecordStats.h"
#include "records/RecordStore.h"
#include "records/RecordsSession.h"
#include "records/window/RecordCharts.h"
#include "tests/records/RecordSamples.h"

#include <QSet>
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

TEST(RecordStore, todaysSchemaIsMigratedInPlaceKeepingItsRunsAndANewerOneIsRefused) {
    QTemporaryDir dir;
    const DatabaseLocation location = SqliteIn(dir);
    QString error;
    {
        ASSERT_TRUE(OpenDatabase(location, "old", &error)) << error.toStdString();
        QSqlDatabase db = QSqlDatabase::database("old");
        ASSERT_TRUE(MigrateSchema(db, 2, &error)) << error.toStdString();
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(
            "INSERT INTO runs (id, host, station, started, ended, outcome, elapsed_ms, "
            "test_set_identity) VALUES ('old-run', 'pc', 'line 1', '2025-01-02T03:04:05.120Z', "
            "'2025-01-02T03:07:05.000Z', 'success', 180000, '8960')"));
        ASSERT_TRUE(query.exec("INSERT INTO run_values VALUES ('old-run', 'rx.2', -3)"));
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
    EXPECT_EQ(runs->at(0).started, QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5, 120), Qt::UTC));
    EXPECT_EQ(runs->at(0).values, (QMap<QString, qint64>{{"rx.2", -3}}));
    EXPECT_EQ(runs->at(0).testSetIdentity, "8960");
    // The old run's time is one the database's own date functions read, counted with the new.
    EXPECT_EQ(YieldPer(store, {At(1, 0), {}, {}, {}, {}}, YieldPeriod::Day, &error)->size(), 1);
    EXPECT_EQ(YieldPer(store, {}, YieldPeriod::Hour, &error)->first().start,
              QDateTime(QDate(2025, 1, 2), QTime(3, 0), Qt::UTC).toLocalTime());
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

TEST(RecordStats, theDatabaseCountsYieldPerDayHourStationAndOverallAndTheValuesOfAName) {
    QTemporaryDir dir;
    RecordStore store(SqliteIn(dir));
    RunRecord lowGmagic = SampleRun("line 1", At(3, 10), RunOutcome::Success);
    lowGmagic.values["gmagic.gsm"] = 191;
    QString error;
    for (const RunRecord& run : {SampleRun("line 1", At(2, 9), RunOutcome::Success),
                                 SampleRun("line 1", At(2, 10), RunOutcome::Failed),
                                 SampleRun("line 2", At(2, 11), RunOutcome::Success),
                                 SampleRun("line 1", At(3, 9), RunOutcome::Stopped), lowGmagic})
        ASSERT_TRUE(store.Write(run, &error)) << error.toStdString();
    const auto rows = [](const QList<YieldRow>& yields) {
        QStringList text;
        for (const YieldRow& row : yields)
            text << QStringLiteral("%1 %2 %3/%4")
                        .arg(row.start.toString(Qt::ISODate), row.station)
                        .arg(row.successes)
                        .arg(row.runs);
        return text;
    };
    EXPECT_EQ(rows(*YieldPer(store, {}, YieldPeriod::Day, &error)),
              (QStringList{"2026-03-02T00:00:00 line 1 1/2", "2026-03-02T00:00:00 line 2 1/1",
                           "2026-03-03T00:00:00 line 1 1/2"}));
    EXPECT_EQ(rows(*YieldPer(store, {{}, {}, "line 1", {}, {}}, YieldPeriod::Hour, &error)),
              (QStringList{"2026-03-02T09:00:00 line 1 1/1", "2026-03-02T10:00:00 line 1 0/1",
                           "2026-03-03T09:00:00 line 1 0/1", "2026-03-03T10:00:00 line 1 1/1"}));
    EXPECT_EQ(rows(*YieldPerStation(store, {}, &error)),
              (QStringList{" line 1 2/4", " line 2 1/1"}));
    EXPECT_DOUBLE_EQ(OverallYield(store, {}, &error)->Percent(), 60.0);
    EXPECT_DOUBLE_EQ(OverallYield(store, {At(4, 0), {}, {}, {}, {}}, &error)->Percent(), 0.0);
    EXPECT_EQ(*StationsOf(store, &error), (QStringList{"line 1", "line 2"}));

    const std::optional<QList<ValueCount>> gmagic = ValueCounts(store, {}, "gmagic.gsm", &error);
    ASSERT_TRUE(gmagic) << error.toStdString();
    ASSERT_EQ(gmagic->size(), 2);
    EXPECT_EQ(gmagic->at(0).value, 191);
    EXPECT_EQ(gmagic->at(1).count, 4);
    const Histogram histogram = MakeHistogram(*gmagic, 4);
    EXPECT_EQ(histogram.counts, (QList<int>{1, 0, 0, 4}));
    EXPECT_EQ(ValueCounts(store, {{}, {}, "line 2", {}, {}}, "gmagic.gsm", &error)->size(), 1);

    // Each histogram counts a value a complete run keeps, titled with where it was measured.
    for (const QList<ValueChoice>& choices : {GmagicChoices(), RxChoices(), ApcChoices()})
        for (const ValueChoice& choice : choices)
            EXPECT_TRUE(lowGmagic.values.contains(choice.valueName)) << choice.title.toStdString();
    EXPECT_EQ(RxChoices().last().title, "RX channel 1023");
    EXPECT_EQ(ApcChoices().last().title, "APC DCS3 PCL 14");
}

// Three runs start in each second, so that a page may end inside a second. In memory, as the
// thousands of commits would wait for the disk.
TEST(RecordsSession, listsThousandsOfRunsNewestFirstAPageAtATimeAndReadsTheSelectedWhole) {
    QTemporaryDir dir(QStringLiteral("/dev/shm/test_records-XXXXXX"));
    const DatabaseLocation location = SqliteIn(dir);
    constexpr int kRuns = 10 * RunListModel::kPageRuns + 50;
    QString error;
    {
        RecordStore store(location);
        for (int i = 0; i < kRuns; ++i) {
            RunRecord run = SampleRun(i % 2 ? "line 2" : "line 1", At(2, 9).addSecs(i / 3),
                                      RunOutcome::Success);
            run.values = {{"rx.0", i}};
            run.txPower.clear();
            ASSERT_TRUE(store.Write(run, &error)) << error.toStdString();
        }
    }
    RecordsSession session(location);
    ASSERT_TRUE(session.Reload(&error)) << error.toStdString();
    RunListModel& model = session.Runs();
    EXPECT_EQ(model.rowCount(), RunListModel::kPageRuns);
    EXPECT_EQ(model.data(model.index(0, 4)).toString(), "success");
    ASSERT_EQ(session.SelectedIndex(), 0);
    EXPECT_EQ(session.Selected()->values.value("rx.0"), kRuns - 1);
    EXPECT_EQ(session.Total().runs, kRuns);
    EXPECT_EQ(session.Stations(), (QStringList{"line 1", "line 2"}));
    const auto readAll = [&model] {
        while (model.canFetchMore({}))
            model.fetchMore({});
        QSet<QString> ids;
        for (int row = 1; row < model.rowCount(); ++row) {
            EXPECT_GE(model.RunAt(row - 1)->started, model.RunAt(row)->started);
            ids.insert(model.RunAt(row)->id);
        }
        return ids.size() + 1;
    };
    EXPECT_EQ(readAll(), kRuns);
    EXPECT_EQ(model.Error(), "");

    ASSERT_TRUE(session.Select(kRuns - 1, &error)) << error.toStdString();
    EXPECT_EQ(session.Selected()->id, model.RunAt(kRuns - 1)->id);
    EXPECT_LT(session.Selected()->values.value("rx.0"), 3);
    session.SetFilter({{}, {}, "line 2", {}, {}});
    ASSERT_TRUE(session.Reload(&error)) << error.toStdString();
    EXPECT_EQ(readAll(), kRuns / 2);
    EXPECT_EQ(session.Total().runs, kRuns / 2);
    EXPECT_EQ(model.RunAt(0)->station, "line 2");
}
