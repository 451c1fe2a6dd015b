#include "tests/autocal/EventWait.h"

#include <QEventLoop>
#include <QTimer>

namespace {
constexpr int kCheckMs = 2;
} // namespace

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    // Not QTest::qWaitFor: it sleeps 10 ms between two rounds of events, and the simulated target
    // answers every command on this thread.
    QEventLoop loop;
    QTimer check;
    check.setInterval(kCheckMs);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    check.start();
    if (!done())
        loop.exec();
    return done();
}
