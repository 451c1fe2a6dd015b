#include "records/RecordWorker.h"

#include "records/RecordsLog.h"

#include <QFile>

RecordWorker::RecordWorker(const DatabaseLocation& location, const QString& spoolDirectory,
                           int retryMs)
    : store_(location), spool_(spoolDirectory), retryTimer_(this) {
    retryTimer_.setInterval(retryMs);
    connect(&retryTimer_, &QTimer::timeout, this, &RecordWorker::Flush);
}

void RecordWorker::Submit(const RunRecord& record) {
    // Behind records still waiting, a new one waits its turn: the database gets them in order.
    if (!spool_.IsEmpty()) {
        Keep(record);
        Flush();
        return;
    }
    if (Send(record))
        return;
    Keep(record);
}

bool RecordWorker::Send(const RunRecord& record) {
    QString error;
    if (!store_.Write(record, &error)) {
        Unreachable(error);
        return false;
    }
    emit written(record.id);
    return true;
}

void RecordWorker::Keep(const RunRecord& record) {
    QString error;
    if (!spool_.Put(record, &error)) {
        qCWarning(lcRecords).noquote() << error;
        emit noticeShown(QStringLiteral("The record of this run is lost: %1").arg(error));
        return;
    }
    emit spooled(record.id);
}

void RecordWorker::Unreachable(const QString& error) {
    qCWarning(lcRecords).noquote() << error;
    retryTimer_.start();
    if (told_)
        return;
    told_ = true;
    emit noticeShown(QStringLiteral("The run records cannot be written to %1 (%2). The station "
                                    "keeps them in %3 and sends them when the database is back; "
                                    "calibration goes on.")
                         .arg(store_.Location().Describe(), error, spool_.Directory()));
}

void RecordWorker::Flush() {
    for (const QString& path : spool_.Pending()) {
        const std::optional<RunRecord> record = spool_.Read(path);
        if (!record) {
            // Set aside, so that one damaged file does not hold back every record after it.
            qCWarning(lcRecords).noquote() << "not a run record, set aside:" << path;
            QFile::rename(path, path + QStringLiteral(".bad"));
            continue;
        }
        if (!Send(*record))
            return;
        spool_.Remove(path);
        ++sentFromSpool_;
    }
    retryTimer_.stop();
    if (sentFromSpool_ == 0)
        return;
    if (told_)
        emit noticeShown(QStringLiteral("The run records reach %1 again: %2 kept records were "
                                        "sent.")
                             .arg(store_.Location().Describe())
                             .arg(sentFromSpool_));
    told_ = false;
    sentFromSpool_ = 0;
    emit caughtUp();
}
