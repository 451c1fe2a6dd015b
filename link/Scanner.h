#pragma once

#include "link/Queue.h"
#include "link/SerialPort.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

class CComm;
class PumpingSequence;
struct ChannelHandOver;

// A window's end of the channel in direct mode: OnCommData runs on the receiver's thread with
// the burst in the channel's receive buffer, and the reader waits until it returns.
class CommReceiver : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void OnCommData(const CComm& comm) = 0;
};

// The byte channel to one serial port with its reader thread. Each object has its own port, so
// the target on COM1 and the scanner on COM2 are open at the same time.
class CComm : public QObject {
    Q_OBJECT
public:
    static constexpr int kReceiveBufferSize = 4096;
    static constexpr int kOpenTimeoutWriteMs = 5000; // the driver's bound on one write
    static constexpr int kFrameWriteTimeoutMs = 1000;

    explicit CComm(QObject* parent = nullptr);
    ~CComm() override; // closes the port: the reader thread must not outlive its channel

    // Opens COMn (through the port map) at baud. 1 on success or when already open (then nothing
    // changes), 0 on failure with LastError() naming the device and the reason.
    int Open(int port, int baud);
    int OpenDevice(const QString& device, int baud);
    int Close(); // always 1; closed() follows when the port was open
    int IsConnected() const { return connected_.load() ? 1 : 0; }
    void Purge();

    // The receiver of direct mode: the window registered last. A receiver may live on another
    // thread than the channel; each burst is handed over on the receiver's own thread.
    void SetNotifyWindow(CommReceiver* receiver);
    CommReceiver* NotifyWindow() const;
    // While a holder keeps the channel (a calibration run), other receivers that register wait:
    // the last of them becomes the receiver when the holder lets go.
    void HoldReceiver(CommReceiver* holder);
    void ReleaseReceiver(CommReceiver* holder);
    // A receiver that goes away is forgotten, so no burst is handed to it.
    void ForgetReceiver(CommReceiver* receiver);

    int WriteString(const std::uint8_t* bytes, int n); // frame writer path; result always 0
    int WriteBlock(const std::uint8_t* bytes, int n);  // returns the count written
    int ReadAvailable(std::uint8_t* buffer, int max);

    // The burst being handed over; valid inside CommReceiver::OnCommData.
    const std::uint8_t* ReceiveBuffer() const { return receiveBuffer_; }
    int ReceiveCount() const { return receiveCount_; }

    // 0 = direct mode (the default), 1 = queue mode. Each channel has its own switch, read by its
    // own reader thread: the scanner's exchange leaves the target's replies going to its window.
    void SetQueueMode(int mode) { queueMode_.store(mode); }
    int QueueMode() const { return queueMode_.load(); }

    CQueue& Queue() { return queue_; }
    int DataReady() const { return dataReady_.load(); }
    void ClearDataReady() { dataReady_.store(0); }
    void SetDataReady() { dataReady_.store(1); }

    // True while a burst waits for its receiver to handle it.
    bool HandOverPending() const;

    QString Device() const { return device_; }
    // Packet bytes written and bytes received in direct mode since the channel was made, for
    // measurements.
    long long BytesWritten() const { return bytesWritten_.load(); }
    long long BytesReceived() const { return bytesReceived_.load(); }
    QString LastError() const { return lastError_; }

signals:
    // The device went away under the open port (an adapter pulled out, the peer closed).
    void portLost(const QString& reason);
    // Close() closed the open port (Target > Close): a sequence that waits on the line ends.
    void closed();
    // In queue mode a burst did not fit into the queue's free space and was dropped; the queue
    // keeps what it held. Emitted on the channel's thread, never on the reader's.
    void queueFull();

private:
    void ReaderThread(unsigned session);
    bool DrainQueueMode();
    bool DrainDirectMode(unsigned session);
    void HandOverBurst(unsigned session, const std::uint8_t* bytes, int n);
    void DeliverBurst(CommReceiver* receiver, unsigned session);
    void ReportPortLost(const QString& reason);
    // Waits until the link's command gap has passed since the last packet.
    void KeepCommandGap();
    void StopReader();
    bool ClosePort(); // true when the port was open

    std::uint8_t receiveBuffer_[kReceiveBufferSize] = {};
    int receiveCount_ = 0;
    std::atomic<int> dataReady_{0};
    std::atomic<int> queueMode_{0};
    CQueue queue_;
    // Guarded by the hand-over's mutex: the reader thread reads them.
    QPointer<CommReceiver> receiver_;
    QPointer<CommReceiver> holder_;
    QPointer<CommReceiver> waiting_; // registered while the holder kept the channel

    SerialPort port_;
    QString device_;
    QString lastError_;
    std::atomic<bool> connected_{false};
    std::thread reader_;
    int wakeFd_ = -1;
    std::shared_ptr<ChannelHandOver> handOver_;
    QElapsedTimer lastFrame_; // when the last packet went out
    std::atomic<long long> bytesWritten_{0};
    std::atomic<long long> bytesReceived_{0};
};

// The barcode scanner: short requests answered by "OK" or a line of digits, both ending in CR,
// exchanged in queue mode.
class CScannerComm : public CComm {
    Q_OBJECT
public:
    static constexpr int kTransmitBufferSize = 12;
    static constexpr int kReplyBufferSize = 500;
    static constexpr int kTries = 3;

    using CComm::CComm;

    // Each try waits the whole period while handling events. The tries stop early when sequence
    // (the one the exchange is a step of) is cancelled, or when the application quits.
    int SendBytes(int n, const std::uint8_t* bytes, int timeoutMs,
                  PumpingSequence* sequence = nullptr);
    int SendWithRetry(int timeoutMs, PumpingSequence* sequence = nullptr);
    void ParseLineReply();
    void CheckLineReply();

    const char* ReplyText() const { return replyBuffer_; }
    void ClearReply();
    int ReplyLength() const { return replyLength_; }

signals:
    // A line of a barcode's length came that does not start with a digit: the label was misread.
    void misread();

private:
    std::uint8_t transmitBuffer_[kTransmitBufferSize] = {};
    int transmitLength_ = 0;
    char replyBuffer_[kReplyBufferSize] = {};
    int replyLength_ = 0;
};
