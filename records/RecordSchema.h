#pragma once

#include <QSqlDatabase>
#include <QString>

// The run records' tables, created and brought up to date by the program: a version table holds
// the schema's version, and each step to the next version runs in a transaction of its own.
inline constexpr int kRecordSchemaVersion = 4;

// 0 for a database without the tables; -1 with *error when it cannot be read.
int SchemaVersion(QSqlDatabase& db, QString* error);
// Brings the schema up to version (at most kRecordSchemaVersion); a newer schema is refused.
bool MigrateSchema(QSqlDatabase& db, int version, QString* error);
