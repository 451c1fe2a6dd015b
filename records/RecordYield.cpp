#include "records/RecordYield.h"

#include "records/RecordQuery.h"

std::optional<QList<YieldBar>> YieldBars(QSqlDatabase& db, const RunFilter& filter,
                                         YieldPeriod period, QString* error) {
    QVariantList bound;
    const QString where = FilterSql(filter, &bound);
    const QString start = PeriodStartSql(db.driverName() == QLatin1String("QPSQL"), period);
    QSqlQuery query(db);
    if (!RunQuery(query,
                  QStringLiteral("SELECT %1, r.station, COUNT(*), SUM(CASE WHEN r.outcome = "
                                 "'success' THEN 1 ELSE 0 END) FROM runs r%2 GROUP BY %1, "
                                 "r.station ORDER BY %1, r.station")
                      .arg(start, where),
                  bound, error))
        return std::nullopt;
    QList<YieldBar> bars;
    while (query.next()) {
        YieldBar bar;
        bar.start = PeriodStartOfText(query.value(0).toString());
        bar.station = query.value(1).toString();
        bar.runs = query.value(2).toInt();
        bar.successes = query.value(3).toInt();
        bars << bar;
    }
    return bars;
}
