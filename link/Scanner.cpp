#include "link/Scanner.h"

#include "link/LinkLog.h"
#include "link/LinkSettings.h"
#include "link/PortMap.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

// The reader thread's side of the blocking hand-over: a burst is posted to the user-interface
// thread and the reader waits until it was handled, dropped, or the channel is closing.
struct ChannelHandOver {
    std::mutex mutex;
    std::condition_variable handled;
    bool stop = false;
    bool pending = false;
    unsigned session = 0;
};

namespace {

// Marks the hand-over done when the posted call is destroyed, whether it ran or Qt dropped it.
class HandOverDone {
public:
    explicit HandOverDone(std::shared_ptr<ChannelHandOver> state) : state_(std::move(state)) {}
    HandOverDone(const HandOverDone&) = delete;
    HandOverDone& operator=(const HandOverDone&) = delete;
    ~HandOverDone() {
        {
            std::lock_guard lock(state_->mutex);
            state_->pending = false;
        }
        state_->handled.notify_all();
    }

private:
    std::shared_ptr<ChannelHandOver> state_;
};

} // namespace

CComm::CComm(QObject* parent) : QObject(parent), handOver_(std::make_shared<ChannelHandOver>()) {}

CComm::~CComm() {
    ClosePort();
}

int CComm::Open(int port, int baud) {
    if (connected_.load())
        return 1;
    const QString device = PortMap::Instance().DeviceFor(port);
    if (OpenDevice(device, baud))
        return 1;
    lastError_ = PortMap::PortName(port) + QStringLiteral(" (") + lastError_ + QLatin1Char(')');
    return 0;
}

int CComm::OpenDevice(const QString& device, int baud) {
    if (connected_.load())
        return 1;
    StopReader(); // a reader that ended on a lost port is joined here
    port_.Close();
    QString reason;
    if (!port_.Open(device, baud, &reason)) {
        lastError_ = device + QStringLiteral(": ") + reason;
        return 0;
    }
    wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd_ < 0) {
        lastError_ = device + QStringLiteral(": cannot create the reader's wake-up event");
        port_.Close();
        return 0;
    }
    unsigned session;
    {
        std::lock_guard lock(handOver_->mutex);
        handOver_->stop = false;
        handOver_->pending = false;
        session = ++handOver_->session;
    }
    device_ = device;
    lastError_.clear();
    connected_.store(true);
    reader_ = std::thread(&CComm::ReaderThread, this, session);
    port_.Purge();
    qCInfo(lcLink) << "opened" << device << "at" << baud;
    return 1;
}

int CComm::Close() {
    if (ClosePort())
        emit closed();
    return 1;
}

bool CComm::ClosePort() {
    const bool wasOpen = port_.IsOpen();
    connected_.store(false);
    StopReader();
    port_.Close();
    if (wasOpen)
        qCInfo(lcLink) << "closed" << device_;
    return wasOpen;
}

void CComm::StopReader() {
    {
        std::lock_guard lock(handOver_->mutex);
        handOver_->stop = true;
    }
    handOver_->handled.notify_all();
    if (wakeFd_ >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }
    if (reader_.joinable())
        reader_.join();
    if (wakeFd_ >= 0) {
        ::close(wakeFd_);
        wakeFd_ = -1;
    }
}

void CComm::Purge() {
    port_.Purge();
}

int CComm::WriteString(const std::uint8_t* bytes, int n) {
    if (!connected_.load() || !port_.IsOpen() || n <= 0 || bytes[0] == 0)
        return 0;
    KeepCommandGap();
    const int written = port_.Write(bytes, n, kFrameWriteTimeoutMs);
    bytesWritten_ += written > 0 ? written : 0;
    if (written < n)
        qCWarning(lcLink) << device_ << "write timed out after" << written << "of" << n << "bytes";
    return 0;
}

void CComm::KeepCommandGap() {
    const int gapMs = LinkSettings::CommandGapMs();
    if (gapMs > 0 && lastFrame_.isValid()) {
        const qint64 left = gapMs - lastFrame_.elapsed();
        if (left > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(left));
    }
    lastFrame_.start();
}

int CComm::WriteBlock(const std::uint8_t* bytes, int n) {
    if (!port_.IsOpen() || n <= 0)
        return 0;
    return port_.Write(bytes, n, kOpenTimeoutWriteMs);
}

int CComm::ReadAvailable(std::uint8_t* buffer, int max) {
    const int n = port_.ReadAvailable(buffer, max);
    return n < 0 ? 0 : n;
}

void CComm::ReaderThread(unsigned session) {
    pollfd fds[2] = {{port_.Descriptor(), POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    for (;;) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            ReportPortLost(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        if (fds[1].revents != 0)
            return; // Close asked us to stop
        const short events = fds[0].revents;
        const bool drained = queueMode_.load() ? DrainQueueMode() : DrainDirectMode(session);
        {
            std::lock_guard lock(handOver_->mutex);
            if (handOver_->stop)
                return;
        }
        // A hung-up or failed device keeps polling ready forever: end instead of spinning.
        if (!drained || (events & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            ReportPortLost(QStringLiteral("the device stopped answering (disconnected)"));
            return;
        }
    }
}

bool CComm::DrainQueueMode() {
    std::uint8_t local[kReceiveBufferSize];
    int n;
    do {
        std::memset(local, 0, sizeof local);
        n = port_.ReadAvailable(local, kReceiveBufferSize);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        if (CQueue::kSize - queue_.Count() > n) {
            for (int i = 0; i < n; ++i)
                queue_.Put(local[i]);
        } else {
            QMetaObject::invokeMethod(
                this, [this] { emit queueFull(); }, Qt::QueuedConnection);
        }
    } while (n > 0);
    dataReady_.store(1);
    return true;
}

bool CComm::DrainDirectMode(unsigned session) {
    std::uint8_t local[kReceiveBufferSize];
    for (;;) {
        const int n = port_.ReadAvailable(local, kReceiveBufferSize);
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        bytesReceived_ += n;
        HandOverBurst(session, local, n);
    }
}

void CComm::HandOverBurst(unsigned session, const std::uint8_t* bytes, int n) {
    std::unique_lock lock(handOver_->mutex);
    CommReceiver* receiver = receiver_.data();
    if (handOver_->stop || !receiver)
        return; // nobody to hand it to: dropped, as the registered window would drop it
    // The receiver does not touch the buffer until the posted call runs, and the reader does
    // not write it again until that call is done.
    std::memcpy(receiveBuffer_, bytes, static_cast<std::size_t>(n));
    receiveCount_ = n;
    handOver_->pending = true;
    auto done = std::make_shared<HandOverDone>(handOver_);
    // On the receiver's thread; a receiver destroyed before the call runs drops it, which ends
    // the wait as well.
    QMetaObject::invokeMethod(
        receiver, [this, receiver, session, done] { DeliverBurst(receiver, session); },
        Qt::QueuedConnection);
    done.reset();
    handOver_->handled.wait(lock, [this] { return !handOver_->pending || handOver_->stop; });
}

void CComm::SetNotifyWindow(CommReceiver* receiver) {
    std::lock_guard lock(handOver_->mutex);
    if (holder_ && receiver != holder_.data())
        waiting_ = receiver;
    else
        receiver_ = receiver;
}

CommReceiver* CComm::NotifyWindow() const {
    std::lock_guard lock(handOver_->mutex);
    return receiver_.data();
}

void CComm::HoldReceiver(CommReceiver* holder) {
    std::lock_guard lock(handOver_->mutex);
    if (!holder_)
        waiting_ = nullptr;
    holder_ = holder;
    receiver_ = holder;
}

void CComm::ReleaseReceiver(CommReceiver* holder) {
    std::lock_guard lock(handOver_->mutex);
    if (!holder || holder_.data() != holder)
        return;
    holder_ = nullptr;
    if (waiting_)
        receiver_ = waiting_;
    waiting_ = nullptr;
}

void CComm::ForgetReceiver(CommReceiver* receiver) {
    std::lock_guard lock(handOver_->mutex);
    for (QPointer<CommReceiver>* slot : {&receiver_, &holder_, &waiting_}) {
        if (slot->data() == receiver)
            *slot = nullptr;
    }
}

bool CComm::HandOverPending() const {
    std::lock_guard lock(handOver_->mutex);
    return handOver_->pending;
}

void CComm::DeliverBurst(CommReceiver* receiver, unsigned session) {
    {
        std::lock_guard lock(handOver_->mutex);
        if (handOver_->stop || handOver_->session != session)
            return;
    }
    receiver->OnCommData(*this);
}

void CComm::ReportPortLost(const QString& reason) {
    connected_.store(false);
    QMetaObject::invokeMethod(
        this,
        [this, reason] {
            qCWarning(lcLink) << device_ << "lost:" << reason;
            emit portLost(reason);
        },
        Qt::QueuedConnection);
}
