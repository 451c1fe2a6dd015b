#pragma once

#include "records/RecordDatabase.h"
#include "records/RunRecord.h"

#include <QList>
#include <QSqlQuery>
#include <QString>

#include <functional>
#include <optional>

// Which runs a report asks for; an empty field does not filter.
struct RunFilter {
    QDateTime from; // started at or after
    QDateTime to;   // started before
    QString station;
    std::optional<RunOutcome> outcome;
    QString model;
};

// The conditions of a filter on the runs table "r", as " WHERE ..." (empty without any), then
// the extra conditions given; the filter's values are appended to *bound in their order, and the
// caller appends the extra conditions' values after them.
QString FilterSql(const RunFilter& filter, QVariantList* bound, const QStringList& more = {});

// The run records in one database, through a connection of its own. Use it from one thread.
// Readers work through the database: nothing reads every run into memory at once.
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

    // The runs in the order they started, one at a time from a forward-only query, so that
    // memory stays flat however many there are; withDetails also reads values and
    // measurements. take must not use the store.
    bool ForEachRun(const RunFilter& filter, bool withDetails,
                    const std::function<void(const RunRecord&)>& take, QString* error);
    // All of them in a list: for selections known to be small.
    std::optional<QList<RunRecord>> Runs(const RunFilter& filter, bool withDetails, QString* error);
    // Up to count runs without details, newest first, after the run given (the last of the page
    // before; none: from the newest).
    std::optional<QList<RunRecord>> Page(const RunFilter& filter, const RunRecord* after, int count,
                                         QString* error);
    // One run with every detail; false with *error when it cannot be read or is not there.
    bool ReadRun(const QString& id, RunRecord* run, QString* error);

    // For the readers of aggregates: statement, a SELECT over "runs r" (see FilterSql), run
    // forward-only with the values bound in order; row sees each row in turn.
    bool Select(const QString& statement, const QVariantList& bound,
                const std::function<void(const QSqlQuery&)>& row, QString* error);
    // The open connection, for the queries the charts and reports make themselves; not valid,
    // with *error, when the database cannot be opened.
    QSqlDatabase Connection(QString* error) { return Open(error) ? Db() : QSqlDatabase(); }

private:
    QSqlDatabase Db() const;
    bool Insert(QSqlDatabase& db, const RunRecord& record, QString* error);
    bool Stored(QSqlDatabase& db, const QString& id, bool* stored, QString* error);
    bool SelectRuns(const QString& tail, const QVariantList& bound, bool withDetails,
                    const std::function<void(const RunRecord&)>& take, QString* error);

    DatabaseLocation location_;
    QString connection_;
    bool open_ = false;
};
