#include "sessions/LPT1Write.h"

#include <QDeadlineTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
QString SystemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}
} // namespace

bool CLPT1Write::Open(const QString& device, QString* error) {
    Close();
    // Appended, so that a file standing in for the printer keeps every job; never created, as a
    // printer that is not there must not turn into a file nobody reads.
    const int fd = ::open(device.toLocal8Bit().constData(),
                          O_WRONLY | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_SYNC);
    if (fd < 0) {
        *error = QStringLiteral("%1: %2").arg(device, SystemError(errno));
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        *error = QStringLiteral("%1: in use by another program").arg(device);
        ::close(fd);
        return false;
    }
    fd_ = fd;
    device_ = device;
    return true;
}

void CLPT1Write::Close() {
    if (fd_ < 0)
        return;
    ::close(fd_);
    fd_ = -1;
}

bool CLPT1Write::PrintLabel(const QByteArray& scanned, const LabelSettings& settings,
                            int regionCode, QString* error) {
    if (fd_ < 0) {
        *error = QStringLiteral("the label printer is not open");
        return false;
    }
    for (const QByteArray& line : LabelJobLines(scanned, settings, regionCode)) {
        if (!WriteAll(line, error))
            return false;
    }
    return true;
}

bool CLPT1Write::WriteAll(const QByteArray& bytes, QString* error) {
    const QDeadlineTimer deadline(kWriteTimeoutMs);
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.constData() + written,
                                  static_cast<std::size_t>(bytes.size() - written));
        if (n > 0) {
            written += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            *error = QStringLiteral("%1: %2").arg(device_, SystemError(errno));
            return false;
        }
        pollfd ready{fd_, POLLOUT, 0};
        if (deadline.hasExpired() ||
            ::poll(&ready, 1, static_cast<int>(deadline.remainingTime())) == 0) {
            *error = QStringLiteral("%1: the printer took nothing for %2 s (offline, out of "
                                    "labels?)")
                         .arg(device_)
                         .arg(kWriteTimeoutMs / 1000);
            return false;
        }
    }
    return true;
}
