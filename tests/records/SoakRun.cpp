#include "tests/records/SoakRun.h"

#include "records/RecordValues.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

constexpr int kSoakMs = 600000;

bool Finished(const RunRecord& run, const QString& prefix) {
    for (auto it = run.values.cbegin(); it != run.values.cend(); ++it)
        if (it.key().startsWith(prefix))
            return true;
    return false;
}

} // namespace

SoakRun::SoakRun() {
    // The spool is offered again every second, so that a database that is back is caught up
    // while the soak goes on.
    QDir().mkpath(dir_.filePath("config/Local AppWizard-Generated Applications"));
    QFile settings(dir_.filePath("config/Local AppWizard-Generated Applications/Rftune.conf"));
    if (settings.open(QIODevice::WriteOnly))
        settings.write("[Records]\nRetrySeconds=1\n");
}

void SoakRun::Start(const QString& records, int units, int flawEvery) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
    environment.insert("XDG_DATA_HOME", dir_.filePath("data"));
    process_.setProcessEnvironment(environment);
    QStringList arguments = QStringLiteral("--simulate --auto-operator --time-scale 0.02 "
                                           "--command-gap-ms 0 --flaw weak-tx --name soak")
                                .split(' ');
    arguments += {"--test-set",   "A8960 E5515B",
                  "--station",    "line 1",
                  "--units",      QString::number(units),
                  "--flaw-every", QString::number(flawEvery),
                  "--records",    records,
                  "--result-dir", dir_.path()};
    process_.start(QStringLiteral(RFTUNE_CAL_PATH), arguments);
}

bool SoakRun::Finish() {
    const bool ended =
        QTest::qWaitFor([this] { return process_.state() == QProcess::NotRunning; }, kSoakMs);
    if (!ended)
        process_.kill();
    out_ = QString::fromUtf8(process_.readAllStandardOutput()).split('\n');
    err_ = QString::fromUtf8(process_.readAllStandardError());
    return ended;
}

QStringList SoakRun::FailureLines() const {
    static const QRegularExpression failure(
        QStringLiteral("^((GSM|DCS) \\d+Band \\d+LEVEL FAIL|Call Fail|.*CAL FAIL.*)$"));
    QStringList lines;
    for (const QString& line : out_)
        if (failure.match(line).hasMatch())
            lines << line;
    return lines;
}

QByteArray CalresultOf(const QList<RunRecord>& runs) {
    const std::pair<ActiveCalibration, const char*> calibrations[] = {{CAL_GMAGIC, "gmagic."},
                                                                      {CAL_RX, "rx."},
                                                                      {CAL_GSM_TX, "apc.gsm."},
                                                                      {CAL_DCS_TX, "apc.dcs."}};
    QByteArray text;
    for (const RunRecord& run : runs) {
        const CalibrationResults results = ResultsFromValues(run.values);
        for (const auto& [calibration, prefix] : calibrations) {
            if (!Finished(run, QLatin1String(prefix)))
                continue;
            text += "\r\n";
            for (const QString& line :
                 ResultBlockLines(calibration, results, {run.model, run.stage, run.name}))
                text += line.toLatin1() + "\r\n";
        }
    }
    return text;
}

QStringList Report(const QStringList& arguments, int* exitCode) {
    QProcess process;
    process.start(QStringLiteral(RFTUNE_REPORT_PATH), arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        *exitCode = -1;
        return {};
    }
    *exitCode = process.exitCode();
    QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
