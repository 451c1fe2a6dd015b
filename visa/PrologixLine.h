#pragma once

#include "visa/Visa.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

#include <memory>

// The byte stream to a Prologix adapter: a TCP connection to a GPIB-ETHERNET or the serial port
// of a GPIB-USB. A plain descriptor waited on with poll, so that the sessions of every address of
// the board may share it from whichever thread holds the adapter.
class PrologixLine {
public:
    ~PrologixLine();
    PrologixLine(const PrologixLine&) = delete;
    PrologixLine& operator=(const PrologixLine&) = delete;

    // Null with *status and *detail set when the host cannot be found, refuses the connection or
    // does not accept it within connectTimeoutMs.
    static std::unique_ptr<PrologixLine> ConnectTcp(const QString& host, quint16 port,
                                                    int connectTimeoutMs, ViStatus* status,
                                                    QString* detail);
    // Null with *status and *detail set when the device cannot be opened as a raw serial port.
    static std::unique_ptr<PrologixLine> OpenSerial(const QString& device, ViStatus* status,
                                                    QString* detail);

    // "10.0.0.7:1234" or "/dev/ttyUSB0", for error texts.
    QString Where() const { return where_; }

    ViStatus Send(const QByteArray& bytes, const QDeadlineTimer& deadline, QString* detail);
    // Appends what arrives until deadline, returning once some bytes came: VI_SUCCESS,
    // VI_ERROR_TMO with nothing new, or VI_ERROR_CONN_LOST.
    ViStatus Receive(QByteArray* into, const QDeadlineTimer& deadline, QString* detail);
    // Drops whatever has arrived and was not asked for.
    void Discard();

private:
    PrologixLine(int fd, QString where, bool isSocket)
        : fd_(fd), where_(std::move(where)), isSocket_(isSocket) {}
    // Waits for events on the descriptor until deadline; false when it passed first.
    bool Wait(short events, const QDeadlineTimer& deadline);
    QString Lost() const;

    int fd_;
    QString where_;
    bool isSocket_;
};
