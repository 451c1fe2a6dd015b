#pragma once

#include "link/TargetSession.h"

#include <QObject>
#include <QString>
#include <QTimer>

// The buttons of the logic test panel whose line never changes.
enum class LogicStep {
    VibTest,       // "se 56"
    LcdTest,       // "se 50"
    SubLcdTest,    // "se 51"
    KeyAutoTest,   // "se 59"
    LogicDataSave, // "se 11"
};

// Which LEDs "7 LED Test" lights.
struct LedChoice {
    bool red = true;
    bool green = true;
    bool blue = true;
};

// The logic test panel without its window: the target's vibrator, backlight, LCD patterns, LEDs,
// speaker tone, microphone loop, key test and LCD settings. With the port closed nothing is sent
// and nothing is said. The backlight, microphone and tone are toggles whose caption names the
// next action; a new panel starts with all three off, whatever the target is doing.
class LogicTestSession : public QObject {
    Q_OBJECT
public:
    static constexpr int kReplyTimeoutMs = 2000;
    static constexpr int kResultClearMs = 5000;

    explicit LogicTestSession(CComm& comm, QObject* parent = nullptr);

    TargetSession& Target() { return target_; }
    TargetLink& Link() { return target_.Link(); }

    void Send(LogicStep step);
    // The caption turns even with the port closed.
    void ToggleBacklight();
    // Only with the port open.
    void ToggleMicrophone();
    // The gain is checked on both presses: outside 1..255 "invalid Gain range" in a box and
    // nothing changes. On, the tone's gain is set first and the tone switched on once the target
    // has taken it. The caption turns even with the port closed.
    void ToggleTone(const QString& gain);
    void TestLeds(LedChoice leds);
    void SetMainLcdContrast(const QString& value);
    void SetSubLcdVolume(const QString& value);
    void SetSubLcdV0(const QString& value);

    QString BacklightCaption() const;
    QString MicrophoneCaption() const;
    QString ToneCaption() const;

    // "WRITE SUCCESS" once the logic data are saved, emptied kResultClearMs after the last
    // "se" reply.
    const QString& Result() const { return result_; }
    void SetResultClearMs(int ms) { resultClear_.setInterval(ms); }

signals:
    void captionsChanged();
    void resultChanged(const QString& text);

private:
    void SendLine(const QString& line);
    void OnReply(const TargetReply& reply);
    void OnResultClear();
    void SetResult(const QString& text);

    TargetSession target_;
    QTimer resultClear_;
    QString result_;
    bool backlightOn_ = false;
    bool microphoneOn_ = false;
    bool toneOn_ = false;
};
