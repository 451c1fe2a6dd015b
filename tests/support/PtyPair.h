#pragma once

#include "sim/pty/PseudoTerminal.h"

#include <QByteArray>
#include <QString>

// A real pseudo-terminal for channel tests: the test holds the master side, the code under
// test opens SlavePath() as its serial device.
class PtyPair {
public:
    PtyPair();

    QString SlavePath() const { return pty_.SlavePath(); }
    int MasterFd() const { return pty_.MasterFd(); }

    void Write(const QByteArray& bytes) { pty_.Write(bytes); }
    // Reads what the slave side wrote, waiting up to timeoutMs for at least minBytes.
    QByteArray Read(int minBytes, int timeoutMs = 2000);
    void CloseMaster() { pty_.Close(); }

private:
    PseudoTerminal pty_;
};
