#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// How long the event loop of the thread it lives on went without a turn: a short timer ticks on
// it, and the largest time between two ticks is the longest a window could neither repaint nor
// answer the operator.
class EventLoopGapMeter : public QObject {
    Q_OBJECT
public:
    static constexpr int kTickMs = 5;

    explicit EventLoopGapMeter(QObject* parent = nullptr);

    void Start();
    void Stop();
    double LargestGapMs() const { return static_cast<double>(largestNs_) / 1e6; }
    int Ticks() const { return ticks_; }

private:
    void OnTick();

    QTimer timer_;
    QElapsedTimer clock_;
    qint64 lastNs_ = 0;
    qint64 largestNs_ = 0;
    int ticks_ = 0;
};
