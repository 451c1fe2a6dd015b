#pragma once

#include "records/RecordStore.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// What the process control's queries share besides the store's FilterSql: one way to run a
// statement with its values bound, and a time read from a time column.
// Prepares and runs it forward only; false with *error in words.
bool RunQuery(QSqlQuery& query, const QString& statement, const QVariantList& bound,
              QString* error);
// A start or end time as the column gives it: a time, or the ISO text it is stored as.
QDateTime TimeOfColumn(const QVariant& value);
