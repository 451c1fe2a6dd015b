#pragma once

#include "link/TargetSession.h"
#include "link/Waiting.h"
#include "sessions/LabelJob.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CScannerComm;

// The waits of the IMEI tool; tests shorten them.
struct ImeiTimings {
    int replyTimeoutMs = 3000;  // "No Response"
    int scannerTryMs = 1000;    // each of the scanner's three tries
    int imeiWriteWaitMs = 3000; // for the IMEI write's acknowledgement
    int imeiReadWaitMs = 5000;  // for the IMEI read back
    int pauseMs = 100;          // between the steps of a scan
    int versionWaitMs = 1000;   // for the software version
    int regionWaitMs = 3000;    // for the region write's acknowledgement
};

// What the tool's boxes show.
struct ImeiFields {
    QString imei; // the IMEI read, up to fifteen characters, shown as 6, 2, 6 and 1
    QString hardwareVersion;
    QString softwareVersion;
    QString serial;
    QString time;
    QString region;
    QString scanned;
};

// The IMEI, version, clock and region tool without its window. By hand it reads and writes the
// phone's identity one command at a time; Scan() runs one station cycle for a phone: scan the
// IMEI barcode (scanner on COM2 at 9600 baud), write it, read it back and compare, check the
// software version against "swver.txt", set the region, append the record to "Imeiresult.txt"
// and print the labels on LPT1. The cycle stops at the first failure with its message. While
// it waits, events go on being handled, so the window stays live.
class ImeiRwSession : public QObject {
    Q_OBJECT
public:
    static constexpr int kScannerPort = 2;
    static constexpr int kScannerBaud = 9600;
    static constexpr int kPrinterPort = 1;

    explicit ImeiRwSession(CComm& comm, ImeiTimings timings = {}, QObject* parent = nullptr);
    ~ImeiRwSession() override;

    TargetSession& Target() { return target_; }
    TargetLink& Link() { return target_.Link(); }
    const ImeiFields& Fields() const { return fields_; }
    // The clock RTC SET and the scan records read; the PC's local time unless a test sets one.
    void SetClock(std::function<QDateTime()> now) { now_ = std::move(now); }

    void ReadImei();
    // groups: the four boxes of the IMEI to write. Nothing is sent for an IMEI that is not
    // fifteen digits with a valid check digit; the operator is told why.
    void WriteImei(const QStringList& groups);
    void ReadSoftwareVersion();
    void ReadHardwareVersion();
    void WriteHardwareVersion(const QString& text);
    void ReadSerial();
    void WriteSerial(const QString& text);
    void SetClockFromPc();
    void ReadRegion();
    // The region to write by SET and by the scan: "HK" or "CH".
    void ChooseRegion(const QString& region) { regionChoice_ = region; }
    void WriteRegion();
    void SetLabelSettings(const LabelSettings& settings) { labels_ = settings; }
    const LabelSettings& Labels() const { return labels_; }

    // The next phone: the boxes the tool fills are emptied.
    void Next();

    // Runs the scan cycle to its end; true when the phone's labels were printed. A second press
    // while a cycle runs is ignored.
    bool Scan();
    // The cycle while it runs. Cancelled (its window going, the program quitting, or Target >
    // Close), it ends at the wait it is in: the scanner is switched off ("LOFF") and its port
    // closed, nothing more goes to the phone, nothing is said, recorded or printed.
    PumpingSequence& Sequence() { return sequence_; }

signals:
    void fieldsChanged();
    void scanStarted();
    void scanFinished(bool printed);

private:
    void OnReply(const TargetReply& reply);
    void OnSuccess(const TargetReply& reply);
    void OnTimeout();
    void SetAck(int* flag);
    void Changed() { emit fieldsChanged(); }

    // The scan's steps; each returns false after telling the operator why the cycle stops.
    bool RunScan();
    bool OpenScanner();
    bool ReadBarcode();
    bool WriteScannedImei();
    bool ReadBackImei();
    bool CheckSoftwareVersion();
    bool WriteScanRegion();
    bool KeepRecord(const QString& timeText);
    bool PrintLabels();
    void SwitchScannerOff();
    void EndCancelledScan();
    bool Stop(const QString& text);
    // Waits until *flag is set, ms pass or the scan is cancelled, handling events meanwhile.
    bool WaitFor(const int* flag, int ms);
    // Waits ms, handling events; false when the scan was cancelled meanwhile.
    bool Pause(int ms);

    TargetSession target_;
    ImeiTimings timings_;
    ImeiFields fields_;
    std::function<QDateTime()> now_;
    QString regionChoice_ = QStringLiteral("CH");
    LabelSettings labels_;
    std::unique_ptr<CScannerComm> scanner_;
    int imeiAck_ = 0;
    int regionAck_ = 0;
    PumpingSequence sequence_;
};
