#pragma once

#include "link/TargetSession.h"
#include "sessions/RampTable.h"

#include <QObject>
#include <QString>

// What the ramp table editor does, without the window: the ramp template being edited, the
// command lines its controls send, and its reactions to the target's replies. The window
// (CGsmramp) passes the operator's actions in and shows what the signals say.
class GsmrampSession : public QObject {
    Q_OBJECT
public:
    static constexpr int kReplyTimeoutMs = 2000;

    explicit GsmrampSession(CComm& comm, QObject* parent = nullptr);

    TargetSession& Target() { return target_; }
    TargetLink& Link() { return target_.Link(); }

    const QString& CallCaption() const { return callCaption_; }
    // Whether a template has been read: until then edits do not redraw the chart.
    bool ChartReady() const { return chartReady_; }
    bool ApplyIndex() const { return applyIndex_; }

    // The operator's actions. A command that finds the port closed sends nothing and tells the
    // operator so; SendCommandWindowLine then returns false.
    void SelectBand(int bandIndex) { bandIndex_ = bandIndex; }
    void SelectTxLevel(const QString& level);
    void SetIndexText(const QString& index) { indexText_ = index; }
    void Load();
    void SaveTemplate();
    void SaveDac(const QString& dac);
    void EditRampValue(RampTable::Row row, int slot, const QString& text);
    bool SendCommandWindowLine(const QString& line);
    // These go out without looking at the port: when it is closed, "No response" follows.
    void SaveToEeprom();
    void ResetEeprom();
    void ToggleCall();
    void ToggleApplyIndex() { applyIndex_ = !applyIndex_; }

signals:
    void resultChanged(const QString& text);
    void indexChanged(const QString& index);
    void dacChanged(const QString& dac);
    // A step filled in from a template read; the window shows it without editing it again.
    void rampFilled(RampTable::Row row, int slot, const QString& text);
    void totalsChanged(qint64 up, qint64 down);
    // Redraw: the chart takes each height as one step.
    void chartFed(const QList<float>& heights);
    void callCaptionChanged(const QString& caption);
    // Every successful reply, unstuffed, for the Result Display.
    void replyForwarded(const QByteArray& unstuffed);

private:
    void SendChecked(const QString& line);
    void SendUnchecked(const QString& line);
    void EmitTotals();

    void OnReply(const TargetReply& reply);
    QString OnOtherCommandReply(const TargetReply& reply);
    void OnSuccess(const TargetReply& reply);
    void OnTxLevelSet();
    void OnTemplateRead(const TargetReply& reply);
    void OnTimeout();

    TargetSession target_;
    RampTable table_;
    int bandIndex_ = 0;
    QString txLevel_;
    QString indexText_;
    QString callCaption_;
    bool chartReady_ = false;
    bool applyIndex_ = false;
    // The command in flight was typed in the editor's command window.
    bool commandWindowLine_ = false;
};
