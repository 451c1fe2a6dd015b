#pragma once

#include <QByteArray>
#include <QString>

// A real pseudo-terminal for channel tests: the test holds the master side, the code under
// test opens SlavePath() as its serial device.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    QString SlavePath() const { return slavePath_; }
    int MasterFd() const { return master_; }

    void Write(const QByteArray& bytes);
    // Reads what the slave side wrote, waiting up to timeoutMs for at least minBytes.
    QByteArray Read(int minBytes, int timeoutMs = 2000);
    void CloseMaster();

private:
    int master_ = -1;
    QString slavePath_;
};
