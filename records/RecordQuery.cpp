#include "records/RecordQuery.h"

#include <QSqlError>

QString WhereOf(const RunFilter& filter, const QStringList& extra, QVariantList* bound) {
    QStringList conditions = extra;
    const auto add = [&](const QString& condition, const QVariant& value) {
        conditions << condition;
        *bound << value;
    };
    if (filter.from.isValid())
        add(QStringLiteral("r.started >= ?"), StoredTime(filter.from));
    if (filter.to.isValid())
        add(QStringLiteral("r.started < ?"), StoredTime(filter.to));
    if (!filter.station.isEmpty())
        add(QStringLiteral("r.station = ?"), filter.station);
    if (filter.outcome)
        add(QStringLiteral("r.outcome = ?"), OutcomeText(*filter.outcome));
    if (!filter.model.isEmpty())
        add(QStringLiteral("r.model = ?"), filter.model);
    return conditions.isEmpty()
               ? QString()
               : QStringLiteral(" WHERE ") + conditions.join(QLatin1String(" AND "));
}

bool RunQuery(QSqlQuery& query, const QString& statement, const QVariantList& bound,
              QString* error) {
    query.setForwardOnly(true);
    if (query.prepare(statement)) {
        for (const QVariant& value : bound)
            query.addBindValue(value);
        if (query.exec())
            return true;
    }
    *error = QStringLiteral("cannot read the run records: %1").arg(query.lastError().text());
    return false;
}

QDateTime TimeOfColumn(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime().toUTC();
    return TimeFromStored(value.toString());
}
