// rftune-report: the run records without a window: lists, yield, exports and the charts.
#include "app/rftune-report/ReportOptions.h"
#include "app/rftune-report/ReportSpc.h"
#include "app/rftune-report/ReportText.h"
#include "app/startup/StationStartup.h"
#include "records/RecordSettings.h"
#include "records/RecordStats.h"
#include "records/window/PlotSheet.h"

#include <QApplication>
#include <QTextStream>

#include <memory>

namespace {

constexpr int kExitUnreadable = 1;
constexpr int kExitRuleBroken = 1;

// Charts need the widgets' application, and without a screen its offscreen platform.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--plot") == 0 || qstrncmp(argv[i], "--plot=", 7) == 0) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            return std::make_unique<QApplication>(argc, argv);
        }
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

// The unit the sheet marks: the newest that passed, whose every value is there.
bool NewestPassed(RecordStore& store, const RunFilter& filter, std::optional<RunRecord>* unit,
                  QString* error) {
    RunFilter passed = filter;
    passed.outcome = RunOutcome::Success;
    std::optional<QList<RunRecord>> newest = store.Page(passed, nullptr, 1, error);
    if (newest && newest->isEmpty())
        newest = store.Page(filter, nullptr, 1, error);
    if (!newest)
        return false;
    if (newest->isEmpty())
        return true;
    unit->emplace();
    return store.ReadRun(newest->first().id, &**unit, error);
}

// The runs one line each as the database hands them over, so that memory stays flat.
bool ListRuns(RecordStore& store, const ReportRequest& request, QTextStream& out, QString* error) {
    if (!store.Open(error))
        return false;
    const bool csv = request.format == QLatin1String("csv");
    const bool jsonl = request.format == QLatin1String("jsonl");
    if (!jsonl)
        out << (csv ? CsvHeader() : TableHeader()) << '\n';
    return store.ForEachRun(
        request.filter, jsonl,
        [&](const RunRecord& run) {
            out << (csv ? CsvLine(run) : jsonl ? JsonLine(run) : TableLine(run)) << '\n';
        },
        error);
}

bool PrintYield(RecordStore& store, const RunFilter& filter, QTextStream& out, QString* error) {
    const auto days = YieldPer(store, filter, YieldPeriod::Day, error);
    const auto stations = days ? YieldPerStation(store, filter, error) : std::nullopt;
    const auto all = stations ? OverallYield(store, filter, error) : std::nullopt;
    if (!all)
        return false;
    for (const QString& line : YieldLines(*days, *stations, *all))
        out << line << '\n';
    return true;
}

bool Plot(RecordStore& store, const ReportRequest& request, QString* error) {
    std::optional<RunRecord> unit;
    if (!NewestPassed(store, request.filter, &unit, error))
        return false;
    const std::optional<QImage> sheet =
        RenderPlotSheet(store, request.filter, unit ? &*unit : nullptr, error);
    if (!sheet)
        return false;
    if (sheet->save(request.plotFile))
        return true;
    *error = QStringLiteral("cannot write %1").arg(request.plotFile);
    return false;
}

bool Report(RecordStore& store, const ReportRequest& request, bool formatAsked, QString* error) {
    QTextStream out(stdout);
    const bool list = request.format != QLatin1String("table") ||
                      (!request.yield && request.plotFile.isEmpty()) || formatAsked;
    return (!list || ListRuns(store, request, out, error)) &&
           (!request.yield || PrintYield(store, request.filter, out, error)) &&
           (request.plotFile.isEmpty() || Plot(store, request, error));
}

// The rules broken, read value by value from the database rather than from every run.
int ReportSpc(StationStartup& startup, RecordStore& store, const ReportRequest& request) {
    QString error;
    const std::optional<SpcReport> report =
        CheckControlRules(store, request.filter, request.spcLast, &error);
    if (!report) {
        startup.Fail(error);
        return kExitUnreadable;
    }
    QTextStream out(stdout);
    for (const QString& line : request.format == QLatin1String("json")
                                   ? QStringList{SpcJson(*report)}
                                   : SpcLines(*report))
        out << line << '\n';
    return report->findings.isEmpty() ? 0 : kExitRuleBroken;
}

} // namespace

int main(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> app = MakeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rftune-report"));
    StationStartup startup(
        QStringLiteral("rftune-report"),
        QStringLiteral("Reads the station's run records: lists the runs that pass the filters "
                       "(as a table, CSV or JSON Lines), prints the yield per day and station "
                       "and the control rules broken, and renders the Records window's charts "
                       "into a PNG file."),
        0);
    AddReportOptions(startup.Parser());
    QString error;
    if (!startup.Process(*app, &error))
        return startup.Fail(error);
    RecordSettings::LoadStationSettings();
    ReportRequest request;
    if (!ReadReportOptions(startup.Parser(), &request, &error))
        return startup.Fail(error);
    RecordStore store(request.database);
    if (request.spc)
        return ReportSpc(startup, store, request);
    if (!Report(store, request, startup.Parser().isSet("format"), &error)) {
        startup.Fail(error);
        return kExitUnreadable;
    }
    return 0;
}
