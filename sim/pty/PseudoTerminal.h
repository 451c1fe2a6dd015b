#pragma once

#include <QByteArray>
#include <QString>

// The bench's end of a simulated serial line: the master side of a pseudo-terminal whose slave
// path the station opens as its COM port. The bench also keeps the slave open itself, so that
// the line stays up (no hang-up on the master) while the station closes and reopens the port.
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal() { Close(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool Open(QString* error);
    void Close();
    bool IsOpen() const { return master_ >= 0; }

    int MasterFd() const { return master_; }
    QString SlavePath() const { return slavePath_; }

    // Non-blocking: what the station wrote (empty when nothing is there).
    QByteArray ReadAvailable();
    // Writes all of bytes to the station, waiting briefly when the line's buffer is full;
    // returns false when the line failed.
    bool Write(const QByteArray& bytes);

private:
    int master_ = -1;
    int heldSlave_ = -1;
    QString slavePath_;
};
