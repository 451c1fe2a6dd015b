#include "app/rftune-sim/BenchConsole.h"

#include "sim/bench/SimBench.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

sigset_t QuitSignals() {
    sigset_t mask;
    sigemptyset(&mask);
    sigaddset(&mask, SIGINT);
    sigaddset(&mask, SIGTERM);
    return mask;
}

} // namespace

void BenchConsole::HoldQuitSignals() {
    const sigset_t mask = QuitSignals();
    pthread_sigmask(SIG_BLOCK, &mask, nullptr);
}

BenchConsole::BenchConsole(SimBench& bench, QTextStream& out) : bench_(bench), out_(out) {
    input_ = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    connect(input_.get(), &QSocketNotifier::activated, this, &BenchConsole::OnInput);

    // Signals arrive as readable data on the event loop, so the bench ends like on "quit".
    const sigset_t mask = QuitSignals();
    signalFd_ = ::signalfd(-1, &mask, SFD_CLOEXEC | SFD_NONBLOCK);
    if (signalFd_ >= 0) {
        signals_ = std::make_unique<QSocketNotifier>(signalFd_, QSocketNotifier::Read);
        connect(signals_.get(), &QSocketNotifier::activated, this, &BenchConsole::OnSignal);
    }
}

BenchConsole::~BenchConsole() {
    signals_.reset();
    if (signalFd_ >= 0)
        ::close(signalFd_);
}

bool BenchConsole::Execute(const QString& line) {
    const QString command = line.trimmed();
    if (command == QLatin1String("quit"))
        return false;
    if (command == QLatin1String("insert"))
        bench_.Insert();
    else if (command == QLatin1String("remove"))
        bench_.Remove();
    else if (command == QLatin1String("status"))
        out_ << bench_.Status() << '\n';
    else if (!command.isEmpty())
        out_ << "unknown command \"" << command << "\" (insert, remove, status, quit)\n";
    out_.flush();
    return true;
}

void BenchConsole::OnInput() {
    char buffer[1024];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) {
        input_->setEnabled(false);
        emit quitRequested();
        return;
    }
    pending_.append(buffer, n);
    qsizetype end;
    while ((end = pending_.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(pending_.left(end));
        pending_.remove(0, end + 1);
        if (!Execute(line)) {
            emit quitRequested();
            return;
        }
    }
}

void BenchConsole::OnSignal() {
    signalfd_siginfo info;
    while (::read(signalFd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
    }
    emit quitRequested();
}
