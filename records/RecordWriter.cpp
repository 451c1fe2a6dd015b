#include "records/RecordWriter.h"

#include "records/RecordWorker.h"

RecordWriter::RecordWriter(DatabaseLocation location, QString spoolDirectory, int retryMs,
                           QObject* parent)
    : QObject(parent), location_(std::move(location)), anchor_(new QObject) {
    thread_.setObjectName(QStringLiteral("records"));
    anchor_->moveToThread(&thread_);
    thread_.start();
    QMetaObject::invokeMethod(
        anchor_,
        [this, spoolDirectory, retryMs] {
            worker_ = new RecordWorker(location_, spoolDirectory, retryMs);
        },
        Qt::BlockingQueuedConnection);
    connect(worker_, &RecordWorker::written, this, &RecordWriter::written);
    connect(worker_, &RecordWorker::spooled, this, &RecordWriter::spooled);
    connect(worker_, &RecordWorker::caughtUp, this, &RecordWriter::caughtUp);
    connect(worker_, &RecordWorker::noticeShown, this, &RecordWriter::noticeShown);
    // Records a previous run of the program could not write go first.
    Retry();
}

RecordWriter::~RecordWriter() {
    // Queued after every record handed over, so that none is lost on the way out; what is still
    // kept is offered once more before the program ends.
    QMetaObject::invokeMethod(
        anchor_,
        [this] {
            worker_->Flush();
            delete worker_;
            anchor_->deleteLater(); // it is running this call; gone when the thread ends
        },
        Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

void RecordWriter::Submit(const RunRecord& record) {
    QMetaObject::invokeMethod(
        worker_, [worker = worker_, record] { worker->Submit(record); }, Qt::QueuedConnection);
}

void RecordWriter::Retry() {
    QMetaObject::invokeMethod(worker_, &RecordWorker::Flush, Qt::QueuedConnection);
}
