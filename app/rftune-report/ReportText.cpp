#include "app/rftune-report/ReportText.h"

#include "records/RecordStats.h"

#include <QJsonDocument>

namespace {

QString CsvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString Seconds(qint64 ms) {
    return QString::number(static_cast<double>(ms) / 1000.0, 'f', 3);
}

QString YieldLine(const QString& label, const YieldRow& row) {
    return QStringLiteral("%1 %2 %3 %4 %")
        .arg(label, -32)
        .arg(row.runs, 6)
        .arg(row.successes, 6)
        .arg(row.Percent(), 6, 'f', 1);
}

} // namespace

QString CsvHeader() {
    return QStringLiteral("started,station,host,model,stage,name,run,outcome,"
                          "failed_calibration,failed_step,failure_text,elapsed_s");
}

QString CsvLine(const RunRecord& run) {
    const QStringList fields{StoredTime(run.started),
                             run.station,
                             run.host,
                             run.model,
                             run.stage,
                             run.name,
                             run.run,
                             OutcomeText(run.outcome),
                             run.failedCalibration,
                             run.outcome == RunOutcome::Failed ? QString::number(run.failedStep)
                                                               : QString(),
                             run.failureText,
                             Seconds(run.elapsedMs)};
    QStringList quoted;
    for (const QString& field : fields)
        quoted << CsvField(field);
    return quoted.join(QLatin1Char(','));
}

QString JsonLine(const RunRecord& run) {
    return QString::fromUtf8(QJsonDocument(RecordToJson(run)).toJson(QJsonDocument::Compact));
}

QString TableHeader() {
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
        .arg("started", -19)
        .arg("station", -12)
        .arg("model", -12)
        .arg("name", -12)
        .arg("outcome", -8)
        .arg("seconds", 8)
        .arg("failure");
}

QString TableLine(const RunRecord& run) {
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
        .arg(run.started.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
        .arg(run.station, -12)
        .arg(run.model, -12)
        .arg(run.name, -12)
        .arg(OutcomeText(run.outcome), -8)
        .arg(Seconds(run.elapsedMs), 8)
        .arg(run.failureText);
}

QStringList YieldLines(const QList<YieldRow>& days, const QList<YieldRow>& stations,
                       const YieldRow& all) {
    QStringList lines{QStringLiteral("%1 %2 %3 %4")
                          .arg("yield", -32)
                          .arg("runs", 6)
                          .arg("passed", 6)
                          .arg("yield", 8)};
    for (const YieldRow& row : days)
        lines << YieldLine(row.start.date().toString(Qt::ISODate) + QLatin1Char(' ') + row.station,
                           row);
    for (const YieldRow& row : stations)
        lines << YieldLine(QStringLiteral("station ") + row.station, row);
    lines << YieldLine(QStringLiteral("all"), all);
    return lines;
}
