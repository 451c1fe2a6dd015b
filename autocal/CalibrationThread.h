#pragma once

#include <QObject>
#include <QThread>

class CComm;
class CalibrationEngine;

// Runs a calibration engine on a thread of its own, so that its fixed delays and blocking
// instrument calls never freeze a window. The engine is made and destroyed on that thread; talk
// to it through queued calls (Call) and listen to its signals with queued connections.
class CalibrationThread {
public:
    explicit CalibrationThread(CComm& comm);
    ~CalibrationThread(); // destroys the engine on its thread, then ends the thread
    CalibrationThread(const CalibrationThread&) = delete;
    CalibrationThread& operator=(const CalibrationThread&) = delete;

    CalibrationEngine& Engine() { return *engine_; }

    // Runs call on the engine's thread, after what it is doing now.
    template <typename Work> void Call(Work&& call) {
        QMetaObject::invokeMethod(anchor_, std::forward<Work>(call), Qt::QueuedConnection);
    }

private:
    QThread thread_;
    QObject* anchor_;
    CalibrationEngine* engine_ = nullptr;
};
