#pragma once

#include "sim/bench/BenchOptions.h"
#include "sim/bench/InstrumentBench.h"
#include "sim/bench/UnitRadioPath.h"
#include "sim/bench/UnitSupplyPath.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <mutex>

// The simulated bench: a virtual target on one pseudo-terminal (COM1), a barcode scanner on
// another (COM2), a file as the label printer (LPT1), virtual instruments on loopback sockets,
// and the physical unit they share.
// The target and scanner run on the event loop of the thread that owns the bench, the
// instruments on a thread of their own; in rftune-sim or inside any executable started with
// --simulate.
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
    // The file the label printer prints to: every job is appended.
    QString PrinterFile() const { return printerFile_; }
    // "--port COM1=... --port COM2=... --port LPT1=...", for the station's executables.
    QStringList PortOptions() const;
    // "GPIB0::14::INSTR=TCPIP0::127.0.0.1::N::SOCKET" and so on: the instruments' VISA aliases.
    QStringList VisaAliases() const { return instruments_.VisaAliases(); }
    // "GPIB0=TCPIP0::127.0.0.1,N::gpib0::VXI11" on a face that serves a whole board.
    QStringList VisaBoards() const { return instruments_.VisaBoards(); }
    // The port options and the --visa-alias and --visa-board options together.
    QStringList ClientOptions() const;

    void Insert();
    void Remove();
    QString Status();

    // Direct access for tests; the instruments' thread reaches the unit through the lock.
    UnitModel& Unit() { return *unit_; }
    VirtualTarget& Target() { return *target_; }
    InstrumentBench& Instruments() { return instruments_; }
    VirtualScanner& Scanner() { return scanner_; }
    int UnitsTested() const { return unitsTested_; }

signals:
    void unitChanged();

private:
    std::vector<QByteArray> OnTargetBytes(const QByteArray& bytes);
    std::vector<QByteArray> OnScannerBytes(const QByteArray& bytes);
    void MakeUnit(std::uint32_t seed);
    bool MakePrinterFile(QString* error);
    void OnOperatorIdle();
    void OnOperatorPauseOver();

    BenchOptions options_;
    QElapsedTimer clock_;
    std::mutex unitLock_;
    std::unique_ptr<UnitModel> unit_;
    std::unique_ptr<VirtualTarget> target_;
    UnitRadioPath radio_;
    UnitSupplyPath supply_;
    InstrumentBench instruments_;
    VirtualScanner scanner_;
    SerialLine targetLine_;
    SerialLine scannerLine_;
    QTemporaryDir printerDir_;
    QString printerFile_;
    QTimer operatorIdle_;
    QTimer operatorPause_;
    std::uint32_t seed_;
    int unitsTested_ = 0;
};
