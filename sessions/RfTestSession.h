#pragma once

#include "link/TargetSession.h"
#include "sessions/RfTestLines.h"

#include <QObject>
#include <QString>

// The RF test panel without its window: each button sends one line, the values read from the
// panel's boxes as they are when it is pressed. A reply only ends the wait; the one outcome shown
// is "Command Error" in the result box when no reply comes, or at once when the port is closed.
class RfTestSession : public QObject {
    Q_OBJECT
public:
    static constexpr int kReplyTimeoutMs = 2000;

    explicit RfTestSession(CComm& comm, QObject* parent = nullptr);

    TargetSession& Target() { return target_; }
    TargetLink& Link() { return target_.Link(); }

    void Send(RfStep step);
    void SetTxChannel(const QString& channel);
    void SetRxChannel(const QString& channel);
    // "Invalid setting" in a box, and nothing sent, for a level or channel out of range.
    void SetPowerLevel(const QString& channel, const QString& level);
    // Nothing sent and nothing shown for a DAC above 1023 or a channel above 885.
    void SetApcDac(const QString& channel, const QString& dac);
    // "Invalid setting" in a box, and nothing sent, above 50.
    void SetAgc(const QString& agc);
    void SetAfcDac(const QString& afcDac);
    // The "Other command" line on Enter: the result box is emptied, and the line, unless empty,
    // goes out as typed, whatever its length.
    void SendOtherCommand(const QString& line);

    const QString& Result() const { return result_; }
    void ClearResult() { SetResult(QString()); }

signals:
    void resultChanged(const QString& text);

private:
    void SendLine(const QString& line);
    void SendChecked(const std::optional<QString>& line);
    void OnTimeout();
    void SetResult(const QString& text);

    TargetSession target_;
    QString result_;
};
