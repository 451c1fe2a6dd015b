#include "station/CalibrationStation.h"

#include "autocal/CalibrationEngine.h"
#include "records/RecordSettings.h"
#include "records/RecordSpool.h"
#include "records/RecordWriter.h"
#include "records/RunRecorder.h"

CalibrationStation::CalibrationStation(CComm& comm, const std::optional<DatabaseLocation>& records,
                                       QObject* parent)
    : QObject(parent), anchor_(new QObject) {
    thread_.setObjectName(QStringLiteral("calibration"));
    anchor_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, this, &CalibrationStation::ended);
    thread_.start();
    // Made on their own thread, so that the timers, the target link and the writer belong there.
    QMetaObject::invokeMethod(
        anchor_, [this, &comm, &records] { Make(comm, records); }, Qt::BlockingQueuedConnection);
}

CalibrationStation::~CalibrationStation() {
    End();
    thread_.wait();
}

void CalibrationStation::Make(CComm& comm, const std::optional<DatabaseLocation>& records) {
    engine_ = new CalibrationEngine(comm);
    if (!records)
        return;
    writer_ = new RecordWriter(*records, DefaultSpoolDirectory(), RecordSettings::RetryMs());
    recorder_ = new RunRecorder(*engine_, *writer_);
}

void CalibrationStation::Call(std::function<void(CalibrationEngine&)> work) {
    if (ending_)
        return;
    QMetaObject::invokeMethod(
        anchor_,
        [this, work = std::move(work)] {
            // A call queued just before the end arrives after the engine has gone.
            if (!engineGone_)
                work(*engine_);
        },
        Qt::QueuedConnection);
}

void CalibrationStation::End() {
    if (std::exchange(ending_, true))
        return;
    QMetaObject::invokeMethod(
        anchor_,
        [this] {
            engine_->StopRun();
            emit stopped();
            // The engine closes the instruments as it goes; the writer, last, writes the record
            // of the run the stop ended.
            delete recorder_;
            delete engine_;
            delete writer_;
            engineGone_ = true;
            anchor_->deleteLater(); // it is running this call; gone when the thread ends
            thread_.quit();
        },
        Qt::QueuedConnection);
}

bool CalibrationStation::WaitForEnd(QDeadlineTimer deadline) {
    return thread_.wait(deadline);
}
