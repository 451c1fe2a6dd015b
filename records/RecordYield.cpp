#include "records/RecordYield.h"

#include "records/RecordQuery.h"

#include <QMap>

namespace {

// The UTC quarter of an hour a run started in, as "YYYY-MM-DDTHH" and the quarter 0 to 3,
// through each database's own time functions. Quarters, as every zone's offset is whole ones.
QString QuarterOf(const QSqlDatabase& db) {
    if (db.driverName() == QLatin1String("QPSQL")) {
        const QString utc = QStringLiteral("(CAST(r.started AS timestamptz) AT TIME ZONE 'UTC')");
        return QStringLiteral("to_char(%1, 'YYYY-MM-DD\"T\"HH24'), "
                              "CAST(EXTRACT(MINUTE FROM %1) AS INTEGER) / 15")
            .arg(utc);
    }
    return QStringLiteral("strftime('%Y-%m-%dT%H', r.started), "
                          "CAST(strftime('%M', r.started) AS INTEGER) / 15");
}

QDateTime PeriodStart(const QDateTime& utc, YieldPeriod period) {
    const QDateTime local = utc.toLocalTime();
    if (period == YieldPeriod::Day)
        return local.date().startOfDay();
    return QDateTime(local.date(), QTime(local.time().hour(), 0));
}

} // namespace

std::optional<QList<YieldBar>> YieldBars(QSqlDatabase& db, const RunFilter& filter,
                                         YieldPeriod period, QString* error) {
    QVariantList bound;
    const QString where = FilterSql(filter, &bound);
    const QString quarter = QuarterOf(db);
    QSqlQuery query(db);
    if (!RunQuery(query,
                  QStringLiteral("SELECT %1, r.station, COUNT(*), SUM(CASE WHEN r.outcome = "
                                 "'success' THEN 1 ELSE 0 END) FROM runs r")
                          .arg(quarter) +
                      where + QStringLiteral(" GROUP BY %1, r.station").arg(quarter),
                  bound, error))
        return std::nullopt;
    QMap<std::pair<QDateTime, QString>, YieldBar> bars;
    while (query.next()) {
        const QDateTime utc =
            QDateTime::fromString(query.value(0).toString() + QStringLiteral(":00:00Z"),
                                  Qt::ISODate)
                .addSecs(query.value(1).toInt() * 15 * 60);
        const QDateTime start = PeriodStart(utc, period);
        YieldBar& bar = bars[{start, query.value(2).toString()}];
        bar.start = start;
        bar.station = query.value(2).toString();
        bar.runs += query.value(3).toInt();
        bar.successes += query.value(4).toInt();
    }
    return bars.values();
}
