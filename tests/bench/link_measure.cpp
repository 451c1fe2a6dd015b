// Measures the link's two costs an operator notices: CPU used while the port is open and idle,
// and the round trip of a command to a target that answers at once.
#include "link/TargetLink.h"
#include "tests/support/FakeTarget.h"
#include "tests/support/PtyPair.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <sys/resource.h>
#include <vector>

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void MeasureIdle(CComm& comm, int seconds) {
    const double before = CpuSeconds();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    std::printf("idle: port %s open for %d s, CPU time used %.3f s\n",
                comm.IsConnected() ? "stayed" : "NOT", seconds, CpuSeconds() - before);
}

void MeasureRoundTrips(CComm& comm, int count) {
    TargetLink link(comm, 3000);
    link.Register();
    QEventLoop loop;
    QElapsedTimer clock;
    std::vector<double> times;
    link.SetReplyHandler([&] {
        if (link.CheckReply() != REPLY_SUCCESS)
            return;
        link.KillTimers();
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        loop.quit();
    });
    link.SetTimeoutHandler([&] { loop.quit(); });
    for (int i = 0; i < count; ++i) {
        clock.start();
        link.SendLine("se 6");
        loop.exec();
    }
    if (times.empty()) {
        std::printf("round trip: no replies\n");
        return;
    }
    std::sort(times.begin(), times.end());
    const double mean =
        std::accumulate(times.begin(), times.end(), 0.0) / static_cast<double>(times.size());
    std::printf("round trip: %zu of %d commands, mean %.1f ms, min %.1f ms, max %.1f ms "
                "(poll tick %d ms)\n",
                times.size(), count, mean, times.front(), times.back(),
                TargetLink::kPollIntervalMs);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int idleSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    PtyPair pty;
    FakeTarget target(pty);
    target.SetReply(0x54, FakeTarget::ReplyFrame(0x54, 0, 6));
    CComm comm;
    if (!comm.OpenDevice(pty.SlavePath(), 115200)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(comm.LastError()));
        return 2;
    }
    MeasureIdle(comm, idleSeconds);
    MeasureRoundTrips(comm, 100);
    return 0;
}
