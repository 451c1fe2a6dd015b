#include "records/RecordQuery.h"

#include <QSqlError>

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
