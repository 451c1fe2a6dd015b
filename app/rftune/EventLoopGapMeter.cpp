#include "app/rftune/EventLoopGapMeter.h"

#include <algorithm>

EventLoopGapMeter::EventLoopGapMeter(QObject* parent) : QObject(parent), timer_(this) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &EventLoopGapMeter::OnTick);
}

void EventLoopGapMeter::Start() {
    largestNs_ = 0;
    ticks_ = 0;
    clock_.start();
    lastNs_ = 0;
    timer_.start();
}

void EventLoopGapMeter::Stop() {
    OnTick(); // a loop that is stuck right now counts too
    timer_.stop();
}

void EventLoopGapMeter::OnTick() {
    const qint64 now = clock_.nsecsElapsed();
    largestNs_ = std::max(largestNs_, now - lastNs_);
    lastNs_ = now;
    ++ticks_;
}
