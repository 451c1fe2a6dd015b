#pragma once

#include "BenchOptions.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>

// The simulated bench: a virtual target on one pseudo-terminal (COM1), a barcode scanner on
// another (COM2), and the physical unit they share. Runs on the event loop of the thread that
// owns it, in rftune-sim or inside any executable started with --simulate.
class SimBench : public QObject {
    Q_OBJECT
public:
    explicit SimBench(BenchOptions options, QObject* parent = nullptr);
    ~SimBench() override;

    bool Start(QString* error);
    // Keeps the EEPROM (when a file was given); returns false with a reason when it could not.
    bool Stop(QString* error);

    QString TargetDevice() const { return targetLine_.DevicePath(); }
    QString ScannerDevice() const { return scannerLine_.DevicePath(); }
    // "--port COM1=... --port COM2=...", for the station's executables.
    QStringList PortOptions() const;

    void Insert();
    void Remove();
    QString Status() const;

    UnitModel& Unit() { return *unit_; }
    VirtualTarget& Target() { return *target_; }
    VirtualScanner& Scanner() { return scanner_; }
    int UnitsTested() const { return unitsTested_; }

signals:
    void unitChanged();

private:
    std::vector<QByteArray> OnTargetBytes(const QByteArray& bytes);
    std::vector<QByteArray> OnScannerBytes(const QByteArray& bytes);
    void MakeUnit(std::uint32_t seed);
    void OnOperatorIdle();
    void OnOperatorPauseOver();

    BenchOptions options_;
    QElapsedTimer clock_;
    std::unique_ptr<UnitModel> unit_;
    std::unique_ptr<VirtualTarget> target_;
    VirtualScanner scanner_;
    SerialLine targetLine_;
    SerialLine scannerLine_;
    QTimer operatorIdle_;
    QTimer operatorPause_;
    std::uint32_t seed_;
    int unitsTested_ = 0;
};
