#pragma once

#include "records/RecordSpool.h"
#include "records/RecordStore.h"

#include <QObject>
#include <QTimer>

// The writer's part on its thread: the database connection, the spool and the retry timer.
class RecordWorker : public QObject {
    Q_OBJECT
public:
    RecordWorker(const DatabaseLocation& location, const QString& spoolDirectory, int retryMs);

    void Submit(const RunRecord& record);
    // Sends the kept records, oldest first, until one does not go.
    void Flush();

signals:
    void written(const QString& id);
    void spooled(const QString& id);
    void caughtUp();
    void noticeShown(const QString& text);

private:
    void Keep(const RunRecord& record);
    void Unreachable(const QString& error);
    bool Send(const RunRecord& record);

    RecordStore store_;
    RecordSpool spool_;
    QTimer retryTimer_;
    bool told_ = false; // the operator knows the records are being kept
    int sentFromSpool_ = 0;
};
