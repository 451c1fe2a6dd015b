#pragma once

#include <QString>

#include <cstdint>

// A POSIX serial device in raw 8N1 at a given baud: exclusive, non-blocking reads, writes
// bounded in time. One object is one open device; it knows nothing of threads.
class SerialPort {
public:
    SerialPort() = default;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;
    ~SerialPort() { Close(); }

    // Opens and configures device; on failure returns false and sets error to the reason.
    bool Open(const QString& device, int baud, QString* error);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }

    // Reads what the driver holds, up to max bytes, without waiting. Returns the count (0 when
    // nothing is there) or -1 when the device failed (unplugged, peer gone).
    int ReadAvailable(std::uint8_t* buffer, int max);

    // Writes n bytes, waiting at most timeoutMs for the driver to take them; returns the count
    // written.
    int Write(const std::uint8_t* bytes, int n, int timeoutMs);

    // Discards the bytes received and not yet read.
    void Purge();

    static bool IsSupportedBaud(int baud);

private:
    int fd_ = -1;
};
