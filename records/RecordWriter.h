#pragma once

#include "records/RecordDatabase.h"
#include "records/RunRecord.h"

#include <QObject>
#include <QThread>

class RecordWorker;

// Writes run records on a thread of its own, so that a slow or absent database never holds up a
// calibration. A record that cannot be written is kept in the spool, the operator is told once,
// and the kept records are offered again every retry period and before each new one, oldest
// first, until the database takes them.
class RecordWriter : public QObject {
    Q_OBJECT
public:
    RecordWriter(DatabaseLocation location, QString spoolDirectory, int retryMs,
                 QObject* parent = nullptr);
    // Finishes the records handed over (written or kept), offers the kept ones once more, then
    // ends the thread.
    ~RecordWriter() override;

    const DatabaseLocation& Location() const { return location_; }
    // From any thread.
    void Submit(const RunRecord& record);
    // Offers the kept records again now.
    void Retry();

signals:
    void written(const QString& id);
    void spooled(const QString& id);
    // The kept records all reached the database.
    void caughtUp();
    // Something the operator must know, in words: the records are kept, or reach it again.
    void noticeShown(const QString& text);

private:
    DatabaseLocation location_;
    QThread thread_;
    QObject* anchor_; // on the thread: runs the worker's making and ending there
    RecordWorker* worker_ = nullptr;
};
