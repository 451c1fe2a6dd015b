#include "app/startup/StopSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The handler may only touch what is safe in a signal handler: the pipe and the flag.
int g_pipe[2] = {-1, -1};
volatile std::sig_atomic_t g_received = 0;

extern "C" void OnStopSignal(int signalNumber) {
    if (g_received != 0)
        _exit(StopSignals::ExitStatus(signalNumber));
    g_received = signalNumber;
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
}

void Handle(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : kSignals)
        sigaction(signalNumber, &action, nullptr);
}

} // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent) {
    if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // without the pipe the signals keep their default: the program ends at once
    notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &StopSignals::OnReadable);
    Handle(OnStopSignal);
}

StopSignals::~StopSignals() {
    // From here a signal ends the program at once, as a second one would.
    Handle(SIG_DFL);
    for (int& end : g_pipe) {
        if (end >= 0)
            close(end);
        end = -1;
    }
}

void StopSignals::OnReadable() {
    unsigned char byte = 0;
    if (read(g_pipe[0], &byte, 1) == 1)
        emit stopRequested(byte);
}
