#include "records/RecordPareto.h"

#include "records/RecordQuery.h"

std::optional<QList<FailureCount>> FailurePareto(QSqlDatabase& db, const RunFilter& filter,
                                                 bool perStation, QString* error) {
    RunFilter failed = filter;
    failed.outcome = RunOutcome::Failed;
    QVariantList bound;
    const QString where = WhereOf(failed, {}, &bound);
    const QString station = perStation ? QStringLiteral("r.station") : QStringLiteral("''");
    const QString groups = QStringLiteral("r.failure_text, r.failed_calibration, r.failed_step");
    QSqlQuery query(db);
    if (!RunQuery(query,
                  QStringLiteral("SELECT %1, %2, COUNT(*) FROM runs r").arg(station, groups) +
                      where +
                      QStringLiteral(" GROUP BY %1, %2 ORDER BY %3COUNT(*) DESC, %2")
                          .arg(station, groups, perStation ? station + ", " : QString()),
                  bound, error))
        return std::nullopt;
    QList<FailureCount> counts;
    while (query.next())
        counts << FailureCount{query.value(0).toString(), query.value(1).toString(),
                               query.value(2).toString(), query.value(3).toInt(),
                               query.value(4).toInt()};
    return counts;
}
