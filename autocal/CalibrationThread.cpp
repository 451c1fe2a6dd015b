#include "autocal/CalibrationThread.h"

#include "autocal/CalibrationEngine.h"

CalibrationThread::CalibrationThread(CComm& comm) : anchor_(new QObject) {
    thread_.setObjectName(QStringLiteral("calibration"));
    anchor_->moveToThread(&thread_);
    thread_.start();
    // Made on its own thread, so that its timers and its target link belong there.
    QMetaObject::invokeMethod(
        anchor_, [this, &comm] { engine_ = new CalibrationEngine(comm); },
        Qt::BlockingQueuedConnection);
}

CalibrationThread::~CalibrationThread() {
    QMetaObject::invokeMethod(
        anchor_,
        [this] {
            delete engine_;
            anchor_->deleteLater(); // it is running this call; gone when the thread ends
        },
        Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}
