#pragma once

#include "records/RecordDatabase.h"
#include "records/RunRecord.h"

#include <QList>
#include <QString>

#include <optional>

// Which runs a report asks for; an empty field does not filter.
struct RunFilter {
    QDateTime from; // started at or after
    QDateTime to;   // started before
    QString station;
    std::optional<RunOutcome> outcome;
    QString model;
};

// The run records in one database, through a connection of its own. Use it from one thread.
class RecordStore {
public:
    explicit RecordStore(DatabaseLocation location);
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    const DatabaseLocation& Location() const { return location_; }
    // Connects and brings the schema up to date; true at once when already open.
    bool Open(QString* error);
    void Close();
    // The whole record in one transaction, or nothing of it. A run already stored (the same id,
    // sent again after a lost answer) is not stored twice. A failure closes the connection, so
    // that the next write connects again.
    bool Write(const RunRecord& record, QString* error);
    // The runs in the order they started; withDetails also reads values and measurements.
    std::optional<QList<RunRecord>> Runs(const RunFilter& filter, bool withDetails, QString* error);
    // The open connection, for the queries the charts and reports make themselves; not valid,
    // with *error, when the database cannot be opened.
    QSqlDatabase Connection(QString* error) { return Open(error) ? Db() : QSqlDatabase(); }

private:
    QSqlDatabase Db() const;
    bool Insert(QSqlDatabase& db, const RunRecord& record, QString* error);
    bool Stored(QSqlDatabase& db, const QString& id, bool* stored, QString* error);
    bool ReadDetails(QSqlDatabase& db, const QString& where, const QVariantList& bound,
                     QList<RunRecord>& runs, QString* error);

    DatabaseLocation location_;
    QString connection_;
    bool open_ = false;
};
