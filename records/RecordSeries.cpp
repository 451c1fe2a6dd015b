#include "records/RecordSeries.h"

#include "records/RecordQuery.h"

namespace {

const QString kValueJoin = QStringLiteral(" FROM run_values d JOIN runs r ON r.id = d.run_id");

std::optional<ControlLimits> BaselineLimits(QSqlDatabase& db, const RunFilter& filter,
                                            const QString& valueName, const Baseline& baseline,
                                            QString* error) {
    RunFilter range = filter;
    const bool byDates = baseline.from.isValid() && baseline.to.isValid();
    if (byDates) {
        range.from = baseline.from;
        range.to = baseline.to;
    }
    QVariantList bound;
    const QString where = FilterSql(range, &bound, {QStringLiteral("d.name = ?")});
    bound << valueName;
    QString first = QStringLiteral("SELECT d.value AS v") + kValueJoin + where +
                    QStringLiteral(" ORDER BY r.started, r.id");
    if (!byDates)
        first += QStringLiteral(" LIMIT %1").arg(baseline.firstRuns);
    QSqlQuery query(db);
    if (!RunQuery(query,
                  QStringLiteral("SELECT COUNT(*), SUM(v), SUM(v * v) FROM (") + first +
                      QStringLiteral(") b"),
                  bound, error))
        return std::nullopt;
    if (!query.next())
        return ControlLimits{};
    return LimitsFromSums(query.value(0).toInt(), query.value(1).toDouble(),
                          query.value(2).toDouble());
}

std::optional<QList<SeriesPoint>> LatestValues(QSqlDatabase& db, const RunFilter& filter,
                                               const QString& valueName, int count,
                                               QString* error) {
    QVariantList bound;
    const QString where = FilterSql(filter, &bound, {QStringLiteral("d.name = ?")});
    bound << valueName;
    QSqlQuery query(db);
    if (!RunQuery(query,
                  QStringLiteral("SELECT r.id, r.name, r.started, d.value") + kValueJoin + where +
                      QStringLiteral(" ORDER BY r.started DESC, r.id DESC LIMIT %1").arg(count),
                  bound, error))
        return std::nullopt;
    QList<SeriesPoint> points;
    while (query.next())
        points.prepend(SeriesPoint{query.value(0).toString(), query.value(1).toString(),
                                   TimeOfColumn(query.value(2)), query.value(3).toDouble()});
    return points;
}

} // namespace

QList<double> ControlSeries::Values() const {
    QList<double> values;
    values.reserve(points.size());
    for (const SeriesPoint& point : points)
        values << point.value;
    return values;
}

std::optional<ControlSeries> ReadControlSeries(QSqlDatabase& db, const RunFilter& filter,
                                               const QString& valueName, const Baseline& baseline,
                                               int last, QString* error) {
    ControlSeries series;
    series.station = filter.station;
    series.valueName = valueName;
    const std::optional<ControlLimits> limits =
        BaselineLimits(db, filter, valueName, baseline, error);
    if (!limits)
        return std::nullopt;
    series.limits = *limits;
    std::optional<QList<SeriesPoint>> points = LatestValues(db, filter, valueName, last, error);
    if (!points)
        return std::nullopt;
    series.points = std::move(*points);
    series.breaks = RuleBreaks(series.Values(), series.limits);
    return series;
}

std::optional<QStringList> StationsOf(QSqlDatabase& db, const RunFilter& filter, QString* error) {
    QVariantList bound;
    const QString where = FilterSql(filter, &bound);
    QSqlQuery query(db);
    if (!RunQuery(query,
                  QStringLiteral("SELECT DISTINCT r.station FROM runs r") + where +
                      QStringLiteral(" ORDER BY r.station"),
                  bound, error))
        return std::nullopt;
    QStringList stations;
    while (query.next())
        stations << query.value(0).toString();
    return stations;
}
