#include "app/rftune-report/ReportSpc.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

namespace {

QString TimeText(const QDateTime& time) {
    return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// One finding per rule broken, in the order of the rules.
QList<SpcFinding> FindingsOf(const ControlSeries& series) {
    QMap<int, SpcFinding> byRule;
    for (const RuleBreak& broken : series.breaks) {
        SpcFinding& finding = byRule[static_cast<int>(broken.rule)];
        finding.station = series.station;
        finding.valueName = series.valueName;
        finding.rule = broken.rule;
        ++finding.runs;
        finding.newest = series.points[broken.index];
    }
    return byRule.values();
}

} // namespace

std::optional<SpcReport> CheckControlRules(RecordStore& store, const RunFilter& filter, int last,
                                           QString* error) {
    QSqlDatabase db = store.Connection(error);
    if (!db.isValid())
        return std::nullopt;
    const std::optional<QStringList> stations = StationsOf(db, filter, error);
    if (!stations)
        return std::nullopt;
    SpcReport report{last, *stations, {}};
    for (const QString& station : *stations) {
        RunFilter own = filter;
        own.station = station;
        for (const QString& name : ControlledValueNames()) {
            const std::optional<ControlSeries> series =
                ReadControlSeries(db, own, name, Baseline{}, last, error);
            if (!series)
                return std::nullopt;
            report.findings << FindingsOf(*series);
        }
    }
    return report;
}

QStringList SpcLines(const SpcReport& report) {
    if (report.findings.isEmpty())
        return {QStringLiteral("no rule broken in the last %1 runs of %2")
                    .arg(report.last)
                    .arg(report.stations.isEmpty() ? QStringLiteral("any station")
                                                   : report.stations.join(QLatin1String(", ")))};
    QStringList lines{QStringLiteral("%1 %2 %3 %4 %5")
                          .arg("station", -12)
                          .arg("value", -14)
                          .arg("rule", -40)
                          .arg("runs", 5)
                          .arg("newest breaking run")};
    for (const SpcFinding& finding : report.findings)
        lines << QStringLiteral("%1 %2 %3 %4 %5 %6")
                     .arg(finding.station, -12)
                     .arg(finding.valueName, -14)
                     .arg(RuleText(finding.rule), -40)
                     .arg(finding.runs, 5)
                     .arg(TimeText(finding.newest.started), finding.newest.unitName);
    return lines;
}

QString SpcJson(const SpcReport& report) {
    QJsonArray findings;
    for (const SpcFinding& finding : report.findings)
        findings.append(QJsonObject{
            {"station", finding.station},
            {"value", finding.valueName},
            {"rule", RuleText(finding.rule)},
            {"runs", finding.runs},
            {"newest", QJsonObject{{"id", finding.newest.runId},
                                   {"name", finding.newest.unitName},
                                   {"started", StoredTime(finding.newest.started)}}},
        });
    return QString::fromUtf8(
        QJsonDocument(QJsonObject{{"last", report.last},
                                  {"stations", QJsonArray::fromStringList(report.stations)},
                                  {"broken", findings}})
            .toJson(QJsonDocument::Compact));
}
