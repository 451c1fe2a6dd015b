#include "records/RecordPareto.h"

#include "records/RecordQuery.h"

std::optional<QList<FailureCount>> FailurePareto(QSqlDatabase& db, const RunFilter& filter,
                                                 bool perStation, QString* error) {
    RunFilter failed = filter;
    failed.outcome = RunOutcome::Failed;
    QVariantList bound;
    const QString where = FilterSql(failed, &bound);
    const QString causes = QStringLiteral("r.failure_text, r.failed_calibration, r.failed_step");
    // A constant is no group to PostgreSQL: all stations together group by the causes alone.
    const QString groups = perStation ? QStringLiteral("r.station, ") + causes : causes;
    const QString order = perStation ? QStringLiteral("r.station, COUNT(*) DESC, ") + causes
                                     : QStringLiteral("COUNT(*) DESC, ") + causes;
    QSqlQuery query(db);
    if (!RunQuery(
            query,
            QStringLiteral("SELECT %1, %2, COUNT(*) FROM runs r")
                    .arg(perStation ? QStringLiteral("r.station") : QStringLiteral("''"), causes) +
                where + QStringLiteral(" GROUP BY %1 ORDER BY %2").arg(groups, order),
            bound, error))
        return std::nullopt;
    QList<FailureCount> counts;
    while (query.next())
        counts << FailureCount{query.value(0).toString(), query.value(1).toString(),
                               query.value(2).toString(), query.value(3).toInt(),
                               query.value(4).toInt()};
    return counts;
}
