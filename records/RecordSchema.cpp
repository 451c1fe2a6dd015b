#include "records/RecordSchema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>

namespace {

// SQLite keeps ISO-8601 UTC text ending in "Z", which its date functions read as it stands; a
// server converts the same text to timestamptz.
QStringList TypedTimes(bool server) {
    if (!server)
        return {};
    return {"ALTER TABLE runs ALTER COLUMN started TYPE timestamptz USING started::timestamptz, "
            "ALTER COLUMN ended TYPE timestamptz USING ended::timestamptz"};
}

// Step n brings a schema of version n - 1 to version n.
QStringList Step(int version, bool server) {
    switch (version) {
    case 1:
        return {
            "CREATE TABLE runs (id TEXT PRIMARY KEY, host TEXT NOT NULL, station TEXT NOT NULL, "
            "started TEXT NOT NULL, ended TEXT NOT NULL, model TEXT, stage TEXT, name TEXT, "
            "run TEXT, config TEXT, outcome TEXT NOT NULL, failure_text TEXT, "
            "failed_calibration TEXT, failed_step INTEGER, elapsed_ms BIGINT)",
            "CREATE TABLE run_values (run_id TEXT NOT NULL REFERENCES runs (id), "
            "name TEXT NOT NULL, value BIGINT NOT NULL, PRIMARY KEY (run_id, name))",
            "CREATE TABLE tx_power (run_id TEXT NOT NULL REFERENCES runs (id), seq INTEGER NOT "
            "NULL, band TEXT NOT NULL, sub_band INTEGER, level INTEGER, dac INTEGER, "
            "dbm DOUBLE PRECISION, PRIMARY KEY (run_id, seq))",
            "CREATE TABLE gmagic_samples (run_id TEXT NOT NULL REFERENCES runs (id), seq INTEGER "
            "NOT NULL, band TEXT NOT NULL, dbm DOUBLE PRECISION, PRIMARY KEY (run_id, seq))",
        };
    case 2: // the instruments' own identities, and the time index the reports filter on
        return {
            "ALTER TABLE runs ADD COLUMN test_set_identity TEXT",
            "ALTER TABLE runs ADD COLUMN supply_identity TEXT",
            "CREATE INDEX runs_started ON runs (started)",
        };
    case 3: // times a server compares as times, and the indexes the filters and lists use
        return TypedTimes(server) +
               QStringList{
                   "DROP INDEX runs_started",
                   "CREATE INDEX runs_started ON runs (started, id)",
                   "CREATE INDEX runs_station ON runs (station, started, outcome)",
                   "CREATE INDEX runs_outcome ON runs (outcome, started)",
                   "CREATE INDEX runs_model ON runs (model, started)",
                   "CREATE INDEX run_values_name ON run_values (name, value)",
               };
    case 4: // how many runs stored each value of a name, kept by every write, for the histograms,
            // and an index the failures' Pareto reads alone, without a look at the runs
        return {
            "CREATE INDEX runs_failures ON runs (outcome, failure_text, failed_calibration, "
            "failed_step, station, started)",
            "CREATE TABLE value_counts (name TEXT NOT NULL, value BIGINT NOT NULL, "
            "runs BIGINT NOT NULL, PRIMARY KEY (name, value))",
            "INSERT INTO value_counts (name, value, runs) "
            "SELECT name, value, COUNT(*) FROM run_values GROUP BY name, value",
        };
    default:
        return {};
    }
}

bool Run(QSqlDatabase& db, const QString& statement, QString* error) {
    QSqlQuery query(db);
    if (query.exec(statement))
        return true;
    *error = QStringLiteral("the run records' schema: %1").arg(query.lastError().text());
    return false;
}

bool RunAll(QSqlDatabase& db, const QStringList& statements, QString* error) {
    for (const QString& statement : statements)
        if (!Run(db, statement, error))
            return false;
    return true;
}

// In a transaction: on a server, the stations that start together wait for each other here.
int LockedVersion(QSqlDatabase& db, QString* error) {
    if (db.driverName() == QLatin1String("QPSQL") &&
        !Run(db, QStringLiteral("LOCK TABLE schema_version IN EXCLUSIVE MODE"), error))
        return -1;
    return SchemaVersion(db, error);
}

bool Migrate(QSqlDatabase& db, int version, QString* error) {
    const int current = LockedVersion(db, error);
    if (current < 0)
        return false;
    if (current > kRecordSchemaVersion) {
        *error = QStringLiteral("the run records' schema is version %1, newer than this "
                                "program's %2: update the program")
                     .arg(current)
                     .arg(kRecordSchemaVersion);
        return false;
    }
    for (int next = current + 1; next <= version; ++next)
        if (!RunAll(db, Step(next, db.driverName() == QLatin1String("QPSQL")), error))
            return false;
    if (current >= version)
        return true;
    return Run(db, QStringLiteral("DELETE FROM schema_version"), error) &&
           Run(db, QStringLiteral("INSERT INTO schema_version (version) VALUES (%1)").arg(version),
               error);
}

} // namespace

int SchemaVersion(QSqlDatabase& db, QString* error) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT MAX(version) FROM schema_version"))) {
        *error = QStringLiteral("the run records' schema: %1").arg(query.lastError().text());
        return -1;
    }
    return query.next() ? query.value(0).toInt() : 0;
}

bool MigrateSchema(QSqlDatabase& db, int version, QString* error) {
    if (!Run(db,
             QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)"),
             error))
        return false;
    if (!db.transaction()) {
        *error = QStringLiteral("the run records' schema: %1").arg(db.lastError().text());
        return false;
    }
    if (Migrate(db, std::min(version, kRecordSchemaVersion), error) && db.commit())
        return true;
    if (error->isEmpty())
        *error = QStringLiteral("the run records' schema: %1").arg(db.lastError().text());
    db.rollback();
    return false;
}
