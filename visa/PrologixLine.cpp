#include "visa/PrologixLine.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString ErrnoText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

int PollMs(const QDeadlineTimer& deadline) {
    if (deadline.isForever())
        return -1;
    return static_cast<int>(std::min<qint64>(deadline.remainingTime(), 1 << 30));
}

// Connects fd to address without waiting longer than deadline: 0 or the errno of the failure.
int ConnectWithin(int fd, const addrinfo& address, const QDeadlineTimer& deadline) {
    if (::connect(fd, address.ai_addr, address.ai_addrlen) == 0)
        return 0;
    if (errno != EINPROGRESS)
        return errno;
    pollfd waiting{fd, POLLOUT, 0};
    if (::poll(&waiting, 1, PollMs(deadline)) <= 0)
        return ETIMEDOUT;
    int error = 0;
    socklen_t length = sizeof error;
    ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
    return error;
}

// The adapter's USB serial port takes any baud; raw 8N1 so that no byte is changed on the way.
bool MakeRaw(int fd) {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0)
        return false;
    ::cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    ::cfsetspeed(&settings, B115200);
    return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

} // namespace

PrologixLine::~PrologixLine() {
    ::close(fd_);
}

std::unique_ptr<PrologixLine> PrologixLine::ConnectTcp(const QString& host, quint16 port,
                                                       int connectTimeoutMs, ViStatus* status,
                                                       QString* detail) {
    const QString where = QStringLiteral("%1:%2").arg(host).arg(port);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.toLocal8Bit().constData(), QByteArray::number(port).constData(), &hints,
                      &found) != 0) {
        *status = VI_ERROR_RSRC_NFOUND;
        *detail = QStringLiteral("host %1 not found").arg(host);
        return nullptr;
    }
    const QDeadlineTimer deadline(connectTimeoutMs);
    int error = ECONNREFUSED;
    for (const addrinfo* address = found; address; address = address->ai_next) {
        const int fd =
            ::socket(address->ai_family, address->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0)
            continue;
        error = ConnectWithin(fd, *address, deadline);
        if (error == 0) {
            ::freeaddrinfo(found);
            const int on = 1;
            // Adapter commands are short and each waits for its answer: send them at once.
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
            *status = VI_SUCCESS;
            return std::unique_ptr<PrologixLine>(new PrologixLine(fd, where, true));
        }
        ::close(fd);
    }
    ::freeaddrinfo(found);
    if (error == ETIMEDOUT) {
        *status = VI_ERROR_TMO;
        *detail =
            QStringLiteral("no connection to %1 within %2 ms").arg(where).arg(connectTimeoutMs);
    } else if (error == ECONNREFUSED) {
        *status = VI_ERROR_MACHINE_NAVAIL;
        *detail = QStringLiteral("%1 refused the connection").arg(where);
    } else {
        *status = VI_ERROR_RSRC_NFOUND;
        *detail = QStringLiteral("cannot connect to %1: %2").arg(where, ErrnoText(error));
    }
    return nullptr;
}

std::unique_ptr<PrologixLine> PrologixLine::OpenSerial(const QString& device, ViStatus* status,
                                                       QString* detail) {
    const int fd =
        ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 || !MakeRaw(fd)) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        *status = error == ENOENT ? VI_ERROR_RSRC_NFOUND : VI_ERROR_MACHINE_NAVAIL;
        *detail = QStringLiteral("cannot open the serial port %1: %2%3")
                      .arg(device, ErrnoText(error),
                           error == EACCES ? QStringLiteral(" (is the user in the dialout group?)")
                                           : QString());
        return nullptr;
    }
    *status = VI_SUCCESS;
    return std::unique_ptr<PrologixLine>(new PrologixLine(fd, device, false));
}

bool PrologixLine::Wait(short events, const QDeadlineTimer& deadline) {
    pollfd waiting{fd_, events, 0};
    for (;;) {
        const int ready = ::poll(&waiting, 1, PollMs(deadline));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

QString PrologixLine::Lost() const {
    return QStringLiteral("the connection to the Prologix adapter at %1 was lost").arg(where_);
}

ViStatus PrologixLine::Send(const QByteArray& bytes, const QDeadlineTimer& deadline,
                            QString* detail) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const char* from = bytes.constData() + sent;
        const auto size = static_cast<size_t>(bytes.size() - sent);
        // A socket whose peer has gone would raise SIGPIPE on a plain write.
        const ssize_t n =
            isSocket_ ? ::send(fd_, from, size, MSG_NOSIGNAL) : ::write(fd_, from, size);
        if (n > 0) {
            sent += n;
            continue;
        }
        if (errno != EAGAIN && errno != EINTR) {
            *detail = Lost();
            return VI_ERROR_CONN_LOST;
        }
        if (!Wait(POLLOUT, deadline)) {
            *detail = QStringLiteral("the Prologix adapter at %1 takes no data").arg(where_);
            return VI_ERROR_TMO;
        }
    }
    return VI_SUCCESS;
}

ViStatus PrologixLine::Receive(QByteArray* into, const QDeadlineTimer& deadline, QString* detail) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            into->append(buffer, n);
            return VI_SUCCESS;
        }
        if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            *detail = Lost();
            return VI_ERROR_CONN_LOST;
        }
        if (!Wait(POLLIN, deadline))
            return VI_ERROR_TMO;
    }
}

void PrologixLine::Discard() {
    char buffer[4096];
    while (::read(fd_, buffer, sizeof buffer) > 0) {
    }
}
