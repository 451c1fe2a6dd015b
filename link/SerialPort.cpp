#include "link/SerialPort.h"

#include <QElapsedTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct BaudEntry {
    int baud;
    speed_t code;
};

constexpr BaudEntry kBauds[] = {
    {1200, B1200},     {2400, B2400},     {4800, B4800},     {9600, B9600},
    {19200, B19200},   {38400, B38400},   {57600, B57600},   {115200, B115200},
    {230400, B230400}, {460800, B460800}, {921600, B921600},
};

bool BaudCode(int baud, speed_t* code) {
    for (const BaudEntry& entry : kBauds) {
        if (entry.baud == baud) {
            *code = entry.code;
            return true;
        }
    }
    return false;
}

QString ErrnoText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool Configure(int fd, speed_t speed, QString* error) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        *error = QStringLiteral("not a serial port (%1)").arg(ErrnoText());
        return false;
    }
    // Raw bytes both ways: the packet protocol carries 0x11/0x13 and CR as data, so no
    // translation, echo or software flow control. Hardware flow control stays as the driver has it.
    const tcflag_t hardwareFlow = settings.c_cflag & CRTSCTS;
    cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CREAD | CLOCAL | hardwareFlow;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    if (cfsetispeed(&settings, speed) != 0 || cfsetospeed(&settings, speed) != 0 ||
        tcsetattr(fd, TCSANOW, &settings) != 0) {
        *error = QStringLiteral("cannot set the line settings (%1)").arg(ErrnoText());
        return false;
    }
    return true;
}

} // namespace

bool SerialPort::IsSupportedBaud(int baud) {
    speed_t code;
    return BaudCode(baud, &code);
}

bool SerialPort::Open(const QString& device, int baud, QString* error) {
    Close();
    speed_t speed;
    if (!BaudCode(baud, &speed)) {
        *error = QStringLiteral("unsupported baud rate %1").arg(baud);
        return false;
    }
    const int fd =
        ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = ErrnoText();
        return false;
    }
    // TIOCEXCL keeps other programs out, the lock keeps out another rftune even when run as
    // root (root passes TIOCEXCL).
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        *error = QStringLiteral("the device is in use by another program");
        ::close(fd);
        return false;
    }
    if (!Configure(fd, speed, error)) {
        ::close(fd);
        return false;
    }
    ::ioctl(fd, TIOCEXCL);
    fd_ = fd;
    Purge();
    return true;
}

void SerialPort::Close() {
    if (fd_ < 0)
        return;
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

int SerialPort::ReadAvailable(std::uint8_t* buffer, int max) {
    if (fd_ < 0)
        return -1;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, static_cast<size_t>(max));
        if (n > 0)
            return static_cast<int>(n);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return 0;
        // 0 from a tty in raw mode with VMIN 0 means no data; a hung-up device reports EIO.
        return n == 0 ? 0 : -1;
    }
}

int SerialPort::Write(const std::uint8_t* bytes, int n, int timeoutMs) {
    if (fd_ < 0)
        return 0;
    QElapsedTimer clock;
    clock.start();
    int written = 0;
    while (written < n) {
        const ssize_t r = ::write(fd_, bytes + written, static_cast<size_t>(n - written));
        if (r > 0) {
            written += static_cast<int>(r);
            continue;
        }
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            break;
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            break;
        pollfd waitFor{fd_, POLLOUT, 0};
        if (::poll(&waitFor, 1, static_cast<int>(left)) < 0 && errno != EINTR)
            break;
    }
    return written;
}

void SerialPort::Purge() {
    // Received bytes not yet read are dropped; bytes already written stay: a write here has
    // completed when it returns, and flushing the output could cut the packet just sent.
    if (fd_ >= 0)
        ::tcflush(fd_, TCIFLUSH);
}
