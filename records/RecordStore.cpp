#include "records/RecordStore.h"

#include "records/RecordSchema.h"
#include "records/RunColumns.h"

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

// One insert prepared once for all the rows of a table: preparing is most of a row's cost.
class Rows {
public:
    Rows(QSqlDatabase& db, const QString& statement) : query_(db) {
        prepared_ = query_.prepare(statement);
    }
    bool Add(const QVariantList& values, QString* error) {
        for (int i = 0; i < values.size(); ++i)
            query_.bindValue(i, values[i]);
        if (prepared_ && query_.exec())
            return true;
        *error = Failed(QStringLiteral("cannot write the run record"), query_.lastError());
        return false;
    }

private:
    QSqlQuery query_;
    bool prepared_ = false;
};

QVariant Dbm(const std::optional<double>& dbm) {
    return dbm ? QVariant(*dbm) : QVariant(QMetaType::fromType<double>());
}

QString Unreadable(const QSqlQuery& query) {
    return Failed(QStringLiteral("cannot read the run records"), query.lastError());
}

} // namespace

QString FilterSql(const RunFilter& filter, QVariantList* bound, const QStringList& more) {
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
    conditions << more;
    return conditions.isEmpty()
               ? QString()
               : QStringLiteral(" WHERE ") + conditions.join(QLatin1String(" AND "));
}

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
    if (!Rows(db, QStringLiteral(
                      "INSERT INTO runs (id, host, station, started, ended, model, stage, name, "
                      "run, config, outcome, failure_text, failed_calibration, failed_step, "
                      "elapsed_ms, test_set_identity, supply_identity) "
                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))
             .Add({r.id, r.host, r.station, StoredTime(r.started), StoredTime(r.ended), r.model,
                   r.stage, r.name, r.run, QString::fromUtf8(config), OutcomeText(r.outcome),
                   r.failureText, r.failedCalibration, r.failedStep, r.elapsedMs, r.testSetIdentity,
                   r.supplyIdentity},
                  error))
        return false;
    Rows values(db,
                QStringLiteral("INSERT INTO run_values (run_id, name, value) VALUES (?, ?, ?)"));
    // In the values' own order, so that stations writing at once lock the counts in one order.
    Rows counts(db, QStringLiteral("INSERT INTO value_counts (name, value, runs) VALUES (?, ?, 1) "
                                   "ON CONFLICT (name, value) DO UPDATE SET runs = "
                                   "value_counts.runs + 1"));
    for (auto it = r.values.cbegin(); it != r.values.cend(); ++it)
        if (!values.Add({r.id, it.key(), it.value()}, error) ||
            !counts.Add({it.key(), it.value()}, error))
            return false;
    Rows txPower(db, QStringLiteral("INSERT INTO tx_power (run_id, seq, band, sub_band, level, "
                                    "dac, dbm) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (int seq = 0; seq < r.txPower.size(); ++seq) {
        const TxPowerSample& s = r.txPower[seq];
        if (!txPower.Add({r.id, seq, BandName(s.band), s.subBand, s.level, s.dac, Dbm(s.dbm)},
                         error))
            return false;
    }
    Rows gmagic(db, QStringLiteral("INSERT INTO gmagic_samples (run_id, seq, band, dbm) "
                                   "VALUES (?, ?, ?, ?)"));
    for (int seq = 0; seq < r.gmagic.size(); ++seq)
        if (!gmagic.Add({r.id, seq, BandName(r.gmagic[seq].band), r.gmagic[seq].dbm}, error))
            return false;
    return true;
}

bool RecordStore::Select(const QString& statement, const QVariantList& bound,
                         const std::function<void(const QSqlQuery&)>& row, QString* error) {
    if (!Open(error))
        return false;
    QSqlQuery query(Db());
    query.setForwardOnly(true);
    if (!query.prepare(statement) || !Exec(query, bound, error)) {
        *error = Unreadable(query);
        Close();
        return false;
    }
    while (query.next())
        row(query);
    if (query.lastError().isValid()) {
        *error = Unreadable(query);
        Close();
        return false;
    }
    return true;
}

bool RecordStore::SelectRuns(const QString& tail, const QVariantList& bound, bool withDetails,
                             const std::function<void(const RunRecord&)>& take, QString* error) {
    return Select(
        QStringLiteral("SELECT ") + RunColumnsSql(withDetails, location_.IsServer()) +
            QStringLiteral(" FROM runs r") + tail,
        bound, [&](const QSqlQuery& query) { take(RunFromRow(query, withDetails)); }, error);
}

bool RecordStore::ForEachRun(const RunFilter& filter, bool withDetails,
                             const std::function<void(const RunRecord&)>& take, QString* error) {
    QVariantList bound;
    const QString where = FilterSql(filter, &bound);
    return SelectRuns(where + QStringLiteral(" ORDER BY r.started, r.id"), bound, withDetails, take,
                      error);
}

std::optional<QList<RunRecord>> RecordStore::Runs(const RunFilter& filter, bool withDetails,
                                                  QString* error) {
    QList<RunRecord> runs;
    if (!ForEachRun(
            filter, withDetails, [&runs](const RunRecord& run) { runs << run; }, error))
        return std::nullopt;
    return runs;
}

std::optional<QList<RunRecord>> RecordStore::Page(const RunFilter& filter, const RunRecord* after,
                                                  int count, QString* error) {
    QVariantList bound;
    // The keyset of the last row shown: the page goes on from there through the index.
    const QString where = FilterSql(
        filter, &bound,
        after ? QStringList{QStringLiteral("(r.started < ? OR (r.started = ? AND r.id < ?))")}
              : QStringList());
    if (after)
        bound << StoredTime(after->started) << StoredTime(after->started) << after->id;
    QList<RunRecord> runs;
    if (!SelectRuns(
            where + QStringLiteral(" ORDER BY r.started DESC, r.id DESC LIMIT %1").arg(count),
            bound, false, [&runs](const RunRecord& run) { runs << run; }, error))
        return std::nullopt;
    return runs;
}

bool RecordStore::ReadRun(const QString& id, RunRecord* run, QString* error) {
    bool found = false;
    if (!SelectRuns(
            QStringLiteral(" WHERE r.id = ?"), {id}, true,
            [&](const RunRecord& read) {
                *run = read;
                found = true;
            },
            error))
        return false;
    if (!found)
        *error = QStringLiteral("the run %1 is not in the run records").arg(id);
    return found;
}
