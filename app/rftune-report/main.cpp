// rftune-report: the run records without a window: lists, yield, exports and the charts.
#include "app/rftune-report/ReportOptions.h"
#include "app/rftune-report/ReportSpc.h"
#include "app/rftune-report/ReportText.h"
#include "app/startup/StationStartup.h"
#include "records/RecordSettings.h"
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
const RunRecord* NewestPassed(const QList<RunRecord>& runs) {
    for (auto run = runs.crbegin(); run != runs.crend(); ++run)
        if (run->outcome == RunOutcome::Success)
            return &*run;
    return runs.isEmpty() ? nullptr : &runs.last();
}

void Print(const QStringList& lines) {
    QTextStream out(stdout);
    for (const QString& line : lines)
        out << line << '\n';
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
    Print(request.format == QLatin1String("json") ? QStringList{SpcJson(*report)}
                                                  : SpcLines(*report));
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
    const std::optional<QList<RunRecord>> runs =
        store.Runs(request.filter,
                   request.format == QLatin1String("jsonl") || !request.plotFile.isEmpty(), &error);
    if (!runs) {
        startup.Fail(error);
        return kExitUnreadable;
    }
    if (request.format == QLatin1String("csv"))
        Print(CsvLines(*runs));
    else if (request.format == QLatin1String("jsonl"))
        Print(JsonLines(*runs));
    else if ((!request.yield && request.plotFile.isEmpty()) || startup.Parser().isSet("format"))
        Print(TableLines(*runs));
    if (request.yield)
        Print(YieldLines(*runs));
    if (!request.plotFile.isEmpty()) {
        const QImage sheet =
            RenderPlotSheet(store, request.filter, *runs, NewestPassed(*runs), &error);
        if (sheet.isNull() || !sheet.save(request.plotFile)) {
            startup.Fail(sheet.isNull() ? error
                                        : QStringLiteral("cannot write %1").arg(request.plotFile));
            return kExitUnreadable;
        }
    }
    return 0;
}
