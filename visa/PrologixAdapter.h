#pragma once

#include "visa/PrologixLine.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <mutex>

// One Prologix GPIB adapter, shared by the sessions of every address on its board: one
// connection, one exchange at a time, and the adapter's current address kept so that "++addr" is
// sent only when it changes. Every call takes the session's time-out and fills *detail on failure.
class PrologixAdapter {
public:
    // The adapter's own read time-out ends at 3000 ms; a longer read issues "++read" again.
    static constexpr int kReadPeriodMs = 3000;

    // The open adapter for interface ("PRLGX-TCPIP0::host::port" or "PRLGX-ASRL::device"),
    // connected and set up on first use; null with *status and *detail set when it cannot be.
    static std::shared_ptr<PrologixAdapter> Shared(const QString& interface, ViStatus* status,
                                                   QString* detail);
    explicit PrologixAdapter(std::unique_ptr<PrologixLine> line);

    // "++ver"'s answer.
    QString Version() const { return version_; }

    ViStatus Write(int address, const QByteArray& data, ViUInt32 timeoutMs, QString* detail);
    // Reads up to count bytes of address's message, which ends at the instrument's LF with EOI (as
    // SCPI replies do): VI_SUCCESS at its end, VI_SUCCESS_MAX_CNT when count bytes came first (the
    // next read goes on with the same message).
    ViStatus Read(int address, QByteArray* data, qsizetype count, ViUInt32 timeoutMs,
                  QString* detail);
    ViStatus Clear(int address, ViUInt32 timeoutMs, QString* detail);
    ViStatus StatusByte(int address, ViUInt16* statusByte, ViUInt32 timeoutMs, QString* detail);

private:
    ViStatus SetUp(QString* detail);
    // Whether the connection has gone, so that the next open connects afresh.
    bool Lost();
    // A fresh exchange: what is left of an earlier message goes, and address is selected.
    ViStatus Begin(int address, const QDeadlineTimer& deadline, QString* detail);
    ViStatus Select(int address, const QDeadlineTimer& deadline, QString* detail);
    ViStatus Send(const QByteArray& bytes, const QDeadlineTimer& deadline, QString* detail);
    // One line the adapter answers a command with, without its CR LF.
    ViStatus AnswerLine(const QByteArray& command, QByteArray* answer,
                        const QDeadlineTimer& deadline, QString* detail);
    // The message so far when it has ended or reached count; false while it goes on.
    bool TakeMessage(qsizetype count, QByteArray* data, bool* ended);
    QString Where() const { return line_->Where(); }

    std::mutex mutex_;
    std::unique_ptr<PrologixLine> line_;
    QByteArray received_;
    QString version_;
    QString lostDetail_; // set once the connection is gone: every later call fails with it
    int address_ = -1;
    int continuing_ = -1; // the address whose message a read left unfinished at its count
    int readPeriodMs_ = kReadPeriodMs;
};
