#include "records/RecordYield.h"

#include "records/RecordQuery.h"

#include <QMap>

namespace {

// The UTC hour a run started in, as "YYYY-MM-DDTHH", through each database's own time functions.
QString HourOf(const QSqlDatabase& db) {
    if (db.driverName() == QLatin1String("QPSQL"))
        return QStringLiteral("to_char(CAST(r.started AS timestamptz) AT TIME ZONE 'UTC', "
                              "'YYYY-MM-DD\"T\"HH24')");
    return QStringLiteral("strftime('%Y-%m-%dT%H', r.started)");
}

QDateTime PeriodStart(const QDateTime& utcHour, YieldPeriod period) {
    const QDateTime local = utcHour.toLocalTime();
    if (period == YieldPeriod::Day)
        return local.date().startOfDay();
    return QDateTime(local.date(), QTime(local.time().hour(), 0));
}

} // namespace

std::optional<QList<YieldBar>> YieldBars(QSqlDatabase& db, const RunFilter& filter,
                                         YieldPeriod period, QString* error) {
    QVariantList bound;
    const QString where = WhereOf(filter, {}, &bound);
    const QString hour = HourOf(db);
    QSqlQuery query(db);
    if (!RunQuery(query,
                  QStringLiteral("SELECT %1, r.station, COUNT(*), SUM(CASE WHEN r.outcome = "
                                 "'success' THEN 1 ELSE 0 END) FROM runs r")
                          .arg(hour) +
                      where + QStringLiteral(" GROUP BY %1, r.station").arg(hour),
                  bound, error))
        return std::nullopt;
    QMap<std::pair<QDateTime, QString>, YieldBar> bars;
    while (query.next()) {
        const QDateTime utcHour = QDateTime::fromString(
            query.value(0).toString() + QStringLiteral(":00:00Z"), Qt::ISODate);
        const QDateTime start = PeriodStart(utcHour, period);
        YieldBar& bar = bars[{start, query.value(1).toString()}];
        bar.start = start;
        bar.station = query.value(1).toString();
        bar.runs += query.value(2).toInt();
        bar.successes += query.value(3).toInt();
    }
    return bars.values();
}
