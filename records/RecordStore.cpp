#include "records/RecordStore.h"

#include "records/RecordSchema.h"

#include <QHash>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

QString Failed(const QString& what, const QSqlError& error) {
    return QStringLiteral("%1: %2").arg(what, error.text());
}

bool Exec(QSqlQuery& query, const QVariantList& values, QString* error) {
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (query.exec())
        return true;
    *error = Failed(QStringLiteral("cannot write the run record"), query.lastError());
    return false;
}

bool Insert(QSqlDatabase& db, const QString& statement, const QVariantList& values,
            QString* error) {
    QSqlQuery query(db);
    return query.prepare(statement) && Exec(query, values, error);
}

QVariant Dbm(const std::optional<double>& dbm) {
    return dbm ? QVariant(*dbm) : QVariant(QMetaType::fromType<double>());
}

// The WHERE clause of a filter, with its values bound in order.
QString WhereOf(const RunFilter& filter, QVariantList* bound) {
    QStringList conditions;
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

RunRecord RunFromRow(const QSqlQuery& query) {
    RunRecord run;
    run.id = query.value(0).toString();
    run.host = query.value(1).toString();
    run.station = query.value(2).toString();
    run.started = TimeFromStored(query.value(3).toString());
    run.ended = TimeFromStored(query.value(4).toString());
    run.model = query.value(5).toString();
    run.stage = query.value(6).toString();
    run.name = query.value(7).toString();
    run.run = query.value(8).toString();
    run.config = ConfigFromJson(QJsonDocument::fromJson(query.value(9).toByteArray()).object());
    run.outcome = OutcomeFromText(query.value(10).toString()).value_or(RunOutcome::Failed);
    run.failureText = query.value(11).toString();
    run.failedCalibration = query.value(12).toString();
    run.failedStep = query.value(13).toInt();
    run.elapsedMs = query.value(14).toLongLong();
    run.testSetIdentity = query.value(15).toString();
    run.supplyIdentity = query.value(16).toString();
    return run;
}

} // namespace

RecordStore::RecordStore(DatabaseLocation location)
    : location_(std::move(location)),
      connection_(QStringLiteral("rftune-records-") + QUuid::createUuid().toString()) {}

RecordStore::~RecordStore() {
    Close();
    QSqlDatabase::removeDatabase(connection_);
}

QSqlDatabase RecordStore::Db() const {
    return QSqlDatabase::database(connection_, false);
}

bool RecordStore::Open(QString* error) {
    if (open_)
        return true;
    Close();
    QSqlDatabase::removeDatabase(connection_);
    if (!OpenDatabase(location_, connection_, error))
        return false;
    QSqlDatabase db = Db();
    if (!MigrateSchema(db, kRecordSchemaVersion, error)) {
        db.close();
        return false;
    }
    open_ = true;
    return true;
}

void RecordStore::Close() {
    open_ = false;
    if (QSqlDatabase::contains(connection_))
        Db().close();
}

bool RecordStore::Write(const RunRecord& record, QString* error) {
    if (!Open(error))
        return false;
    QSqlDatabase db = Db();
    bool stored = false;
    if (db.transaction() && Stored(db, record.id, &stored, error) &&
        (stored || Insert(db, record, error)) && db.commit())
        return true;
    if (error->isEmpty())
        *error = Failed(QStringLiteral("cannot write the run record"), db.lastError());
    db.rollback();
    Close();
    return false;
}

bool RecordStore::Stored(QSqlDatabase& db, const QString& id, bool* stored, QString* error) {
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("SELECT COUNT(*) FROM runs WHERE id = ?")) ||
        !Exec(query, {id}, error))
        return false;
    *stored = query.next() && query.value(0).toInt() > 0;
    return true;
}

bool RecordStore::Insert(QSqlDatabase& db, const RunRecord& r, QString* error) {
    const QByteArray config = QJsonDocument(ConfigToJson(r.config)).toJson(QJsonDocument::Compact);
    if (!::Insert(db,
                  QStringLiteral(
                      "INSERT INTO runs (id, host, station, started, ended, model, stage, name, "
                      "run, config, outcome, failure_text, failed_calibration, failed_step, "
                      "elapsed_ms, test_set_identity, supply_identity) "
                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  {r.id, r.host, r.station, StoredTime(r.started), StoredTime(r.ended), r.model,
                   r.stage, r.name, r.run, QString::fromUtf8(config), OutcomeText(r.outcome),
                   r.failureText, r.failedCalibration, r.failedStep, r.elapsedMs, r.testSetIdentity,
                   r.supplyIdentity},
                  error))
        return false;
    for (auto it = r.values.cbegin(); it != r.values.cend(); ++it)
        if (!::Insert(
                db, QStringLiteral("INSERT INTO run_values (run_id, name, value) VALUES (?, ?, ?)"),
                {r.id, it.key(), it.value()}, error))
            return false;
    for (int seq = 0; seq < r.txPower.size(); ++seq) {
        const TxPowerSample& s = r.txPower[seq];
        if (!::Insert(db,
                      QStringLiteral("INSERT INTO tx_power (run_id, seq, band, sub_band, level, "
                                     "dac, dbm) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                      {r.id, seq, BandName(s.band), s.subBand, s.level, s.dac, Dbm(s.dbm)}, error))
            return false;
    }
    for (int seq = 0; seq < r.gmagic.size(); ++seq)
        if (!::Insert(db,
                      QStringLiteral("INSERT INTO gmagic_samples (run_id, seq, band, dbm) "
                                     "VALUES (?, ?, ?, ?)"),
                      {r.id, seq, BandName(r.gmagic[seq].band), r.gmagic[seq].dbm}, error))
            return false;
    return true;
}

std::optional<QList<RunRecord>> RecordStore::Runs(const RunFilter& filter, bool withDetails,
                                                  QString* error) {
    if (!Open(error))
        return std::nullopt;
    QSqlDatabase db = Db();
    QVariantList bound;
    const QString where = WhereOf(filter, &bound);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(
            QStringLiteral(
                "SELECT r.id, r.host, r.station, r.started, r.ended, r.model, r.stage, r.name, "
                "r.run, "
                "r.config, r.outcome, r.failure_text, r.failed_calibration, r.failed_step, "
                "r.elapsed_ms, r.test_set_identity, r.supply_identity FROM runs r") +
            where + QStringLiteral(" ORDER BY r.started, r.id")) ||
        !Exec(query, bound, error)) {
        *error = Failed(QStringLiteral("cannot read the run records"), query.lastError());
        Close();
        return std::nullopt;
    }
    QList<RunRecord> runs;
    while (query.next())
        runs << RunFromRow(query);
    if (withDetails && !ReadDetails(db, where, bound, runs, error)) {
        Close();
        return std::nullopt;
    }
    return runs;
}

bool RecordStore::ReadDetails(QSqlDatabase& db, const QString& where, const QVariantList& bound,
                              QList<RunRecord>& runs, QString* error) {
    QHash<QString, RunRecord*> byId;
    for (RunRecord& run : runs)
        byId.insert(run.id, &run);
    const auto read = [&](const QString& select, auto&& take) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.prepare(select + where + QStringLiteral(" ORDER BY d.run_id")) ||
            !Exec(query, bound, error)) {
            *error = Failed(QStringLiteral("cannot read the run records"), query.lastError());
            return false;
        }
        while (query.next())
            if (RunRecord* run = byId.value(query.value(0).toString()))
                take(*run, query);
        return true;
    };
    return read(QStringLiteral("SELECT d.run_id, d.name, d.value FROM run_values d "
                               "JOIN runs r ON r.id = d.run_id"),
                [](RunRecord& run, const QSqlQuery& q) {
                    run.values.insert(q.value(1).toString(), q.value(2).toLongLong());
                }) &&
           read(QStringLiteral("SELECT d.run_id, d.seq, d.band, d.sub_band, d.level, d.dac, "
                               "d.dbm FROM tx_power d JOIN runs r ON r.id = d.run_id"),
                [](RunRecord& run, const QSqlQuery& q) {
                    TxPowerSample sample;
                    sample.band = static_cast<std::int16_t>(BandFromName(q.value(2).toString()));
                    sample.subBand = q.value(3).toInt();
                    sample.level = q.value(4).toInt();
                    sample.dac = q.value(5).toInt();
                    if (!q.value(6).isNull())
                        sample.dbm = q.value(6).toDouble();
                    run.txPower.resize(
                        std::max<qsizetype>(run.txPower.size(), q.value(1).toInt() + 1));
                    run.txPower[q.value(1).toInt()] = sample;
                }) &&
           read(QStringLiteral("SELECT d.run_id, d.seq, d.band, d.dbm FROM gmagic_samples d "
                               "JOIN runs r ON r.id = d.run_id"),
                [](RunRecord& run, const QSqlQuery& q) {
                    run.gmagic.resize(
                        std::max<qsizetype>(run.gmagic.size(), q.value(1).toInt() + 1));
                    run.gmagic[q.value(1).toInt()] =
                        GmagicSample{static_cast<std::int16_t>(BandFromName(q.value(2).toString())),
                                     q.value(3).toDouble()};
                });
}
