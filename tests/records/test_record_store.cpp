// The run records in SQLite: written whole, read back, filtered, migrated, counted, charted and
// watched by the process control, listed a page at a time.
#include "records/RecordSchema.h"
#include "records/RecordSpc.h"
#include "records/RecordStats.h"
#include "records/RecordStore.h"
#include "records/RecordsSession.h"
#include "records/window/ControlChart.h"
#include "records/window/ControlPage.h"
#include "records/window/RecordCharts.h"
#include "records/window/RecordsDlg.h"
#include "records/window/SummaryPages.h"
#include "tests/records/RecordSamples.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QJsonDocument>
#include <QLabel>
#include <QProcess>
#include <QScatterSeries>
#include <QSet>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
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

TEST(RecordSpc, eachRuleIsBrokenOnlyByTheSeriesMadeForItAndCpkIsThatOfTheWindow) {
    const ControlLimits limits{100, 0.0, 1.0};
    const QList<std::pair<QList<double>, QStringList>> cases{
        {{0.5, -0.5, 0.5, -0.5, 0.0, 0.5, -0.5, 1.9, -1.9, 0.5}, {}},
        {{0.5, -0.5, 3.5, -0.5, 0.5}, {"2 one beyond 3 sigma"}},
        {{0.5, 0.3, 0.5, 0.3, 0.5, 0.3, 0.5, 0.3, 0.5, -0.5},
         {"8 nine in a row on one side of the centre"}},
        {{-1, -0.6, -0.2, 0.2, 0.6, 1, 0.6, 0.2, -0.2, -0.6, -1},
         {"5 six in a row rising or falling", "10 six in a row rising or falling"}},
        {{0.5, 2.5, -2.5, 0.5, 2.5, -0.5, 2.5}, {"6 two of three beyond 2 sigma on one side"}},
    };
    for (const auto& [series, expected] : cases) {
        QStringList found;
        for (const RuleBreak& broken : RuleBreaks(series, limits))
            found << QStringLiteral("%1 %2").arg(broken.index).arg(RuleText(broken.rule));
        EXPECT_EQ(found, expected);
    }

    // Mean 195 and sigma sqrt(54) in GMAGIC's 185 to 206: 10 from the nearer edge; 186 and 204
    // are within a tenth of the window of an edge, the failed 210 is not counted as near.
    const Capability gmagic = CapabilityOf({186, 195, 195, 204}, *AcceptWindowOf("gmagic.gsm"));
    ASSERT_TRUE(gmagic.cpk);
    EXPECT_NEAR(*gmagic.cpk, 10.0 / (3.0 * std::sqrt(54.0)), 1e-9);
    EXPECT_DOUBLE_EQ(gmagic.nearEdgeShare, 0.5);
    EXPECT_DOUBLE_EQ(CapabilityOf({0, 210}, *AcceptWindowOf("gmagic.dcs")).nearEdgeShare, 0.0);
    EXPECT_FALSE(CapabilityOf({300, 300, 300}, *AcceptWindowOf("apc.gsm.1.5")).cpk);
    EXPECT_DOUBLE_EQ(AcceptWindowOf("rx.16")->low, -20.0);
    EXPECT_FALSE(AcceptWindowOf("battery"));
    EXPECT_EQ(ControlledValueNames().size(), 2 + 17 + 15 + 15);
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
    // The old run's value is counted with the new run's in the histogram of its name.
    int counted = 0;
    for (const ValueCount& count :
         ValueCounts(store, {}, "rx.2", &error).value_or(QList<ValueCount>()))
        counted += count.value == -3 ? count.count : 0;
    EXPECT_EQ(counted, runs->at(1).values.value("rx.2") == -3 ? 2 : 1);
    // The old run's time is one the database's own date functions read, counted with the new.
    EXPECT_EQ(YieldPer(store, {At(1, 0), {}, {}, {}, {}}, YieldPeriod::Day, &error)->size(), 1);
    // The local hour it started in, also where the zone is a quarter of an hour off.
    const QDateTime local = runs->at(0).started.toLocalTime();
    EXPECT_EQ(YieldPer(store, {}, YieldPeriod::Hour, &error)->first().start,
              QDateTime(local.date(), QTime(local.time().hour(), 0)));
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

// The process control over SQLite: a click on a run the Records window's control chart marks
// selects it; the Failures tab counts failed runs only, per station and over all, the most
// frequent first; the yield goes by hour or day; rftune-report --spc prints the rule broken and
// exits 1.
TEST(RecordsWindow, theControlChartAndTheReportFindTheRuleBrokenAndFailuresCountPerStation) {
    QTemporaryDir dir;
    RecordStore store(SqliteIn(dir));
    QString error;
    RunRecord rx = SampleRun("line 3", At(1, 9), RunOutcome::Failed);
    rx.failureText = "RX CAL FAIL";
    rx.failedCalibration = "RX";
    rx.failedStep = 3;
    QList<RunRecord> runs{rx, SampleRun("line 3", At(1, 10), RunOutcome::Failed),
                          SampleRun("line 2", At(1, 11), RunOutcome::Failed)};
    // Then 193 and 197 by turns, and ten at 196: above the centre of 195.5 nine times and more.
    for (int i = 0; i < 20; ++i) {
        runs << SampleRun("line 1", At(2, 8).addSecs(60 * i), RunOutcome::Success);
        runs.last().values["gmagic.gsm"] = i >= 10 ? 196 : (i % 2 ? 193 : 197);
    }
    for (RunRecord& run : runs)
        ASSERT_TRUE(store.Write(run, &error)) << error.toStdString();
    RecordsSession session(store.Location());
    CRecordsDlg window(session);
    window.show();
    auto* control = window.findChild<CControlPage*>();
    EXPECT_EQ(control->findChild<QComboBox*>()->count(), ControlledValueNames().size());
    EXPECT_TRUE(control->findChild<QLabel*>()->text().startsWith("Cpk 2.27 against 185 to 206\n"));
    auto* view = control->findChild<QChartView*>();
    QScatterSeries* marked = nullptr;
    for (QAbstractSeries* series : view->chart()->series())
        marked = series->name() == kMarkedRuns ? qobject_cast<QScatterSeries*>(series) : marked;
    ASSERT_EQ(marked ? marked->count() : 0, 2);
    window.findChild<QTabWidget*>()->setCurrentWidget(control);
    const QPoint at = view->mapFromScene(view->chart()->mapToPosition(marked->at(0), marked));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(session.Selected()->id, runs[3 + 18].id);

    auto* failures = window.findChild<CFailuresPage*>();
    const auto* table = failures->findChild<QTableWidget*>();
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row)
        for (int column = 0; column < table->columnCount(); ++column)
            rows << table->item(row, column)->text();
    EXPECT_EQ(rows.join('|'), "line 2|DCS 2Band 105LEVEL FAIL|DCS TX|19|1|line 3|DCS 2Band "
                              "105LEVEL FAIL|DCS TX|19|1|line 3|RX CAL FAIL|RX|3|1");
    const auto* overall = qobject_cast<QAbstractBarSeries*>(
        failures->findChild<QChartView*>()->chart()->series().value(0));
    EXPECT_EQ(overall->barSets()[0]->at(1), 2.0); // the most frequent on top, over both stations

    // Yield per station by local hour or day, counted in the database.
    const auto yield = [&](YieldPeriod period) {
        QStringList bars;
        for (const YieldRow& bar : YieldPer(store, {}, period, &error).value_or(QList<YieldRow>()))
            bars << QStringLiteral("%1 %2 %3/%4")
                        .arg(bar.start.toString("dd HH:mm"), bar.station)
                        .arg(bar.successes)
                        .arg(bar.runs);
        return bars.join(", ");
    };
    EXPECT_EQ(yield(YieldPeriod::Day),
              "01 00:00 line 2 0/1, 01 00:00 line 3 0/2, 02 00:00 line 1 20/20");
    EXPECT_EQ(
        yield(YieldPeriod::Hour),
        "01 09:00 line 3 0/1, 01 10:00 line 3 0/1, 01 11:00 line 2 0/1, 02 08:00 line 1 20/20");

    const auto report = [&](const QStringList& arguments, int exitCode) {
        QProcess process;
        process.start(RFTUNE_REPORT_PATH,
                      QStringList{"--records", store.Location().database} + arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), exitCode) << arguments.join(' ').toStdString();
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed().split('\n');
    };
    const QStringList broken = report({"--spc"}, 1);
    ASSERT_EQ(broken.size(), 2); // a header and the one rule
    EXPECT_TRUE(broken[1].simplified().startsWith(
        "line 1 gmagic.gsm nine in a row on one side of the centre 2 "));
    const QJsonDocument json = QJsonDocument::fromJson(
        report({"--spc", "--last", "20", "--format", "json"}, 1).value(0).toUtf8());
    EXPECT_EQ(json["broken"][0]["newest"]["id"].toString(), runs.last().id);
    EXPECT_EQ(report({"--spc", "--station", "line 2"}, 0),
              QStringList{"no rule broken in the last 200 runs of line 2"});
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
