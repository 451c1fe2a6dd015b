#include "sim/bench/SimBench.h"

#include <QFile>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcBench, "rftune.sim.bench", QtWarningMsg)

SimBench::SimBench(BenchOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options)),
      radio_(unitLock_, [this]() -> UnitModel& { return *unit_; }),
      supply_(unitLock_, [this]() -> UnitModel& { return *unit_; }),
      instruments_(radio_, supply_, options_.instruments),
      scanner_(options_.barcodes, options_.unit.seed),
      targetLine_([this](const QByteArray& bytes) { return OnTargetBytes(bytes); }),
      scannerLine_([this](const QByteArray& bytes) { return OnScannerBytes(bytes); }),
      seed_(options_.unit.seed) {
    clock_.start();
    scanner_.SetFaults(options_.scannerFaults);
    targetLine_.SetFaults(options_.targetLine);
    operatorIdle_.setSingleShot(true);
    operatorIdle_.setInterval(options_.autoIdleMs);
    operatorPause_.setSingleShot(true);
    operatorPause_.setInterval(options_.autoPauseMs);
    connect(&operatorIdle_, &QTimer::timeout, this, &SimBench::OnOperatorIdle);
    connect(&operatorPause_, &QTimer::timeout, this, &SimBench::OnOperatorPauseOver);
    MakeUnit(seed_);
}

SimBench::~SimBench() = default;

bool SimBench::Start(QString* error) {
    // Written back at once, so that a place where the EEPROM cannot be kept is known at the start
    // rather than when the bench ends and the unit's data would be lost.
    if (!options_.eepromFile.isEmpty() && (!target_->LoadEeprom(options_.eepromFile, error) ||
                                           !target_->SaveEeprom(options_.eepromFile, error)))
        return false;
    if (!targetLine_.Open(error) || !scannerLine_.Open(error) || !MakePrinterFile(error) ||
        !instruments_.Start(error))
        return false;
    qCInfo(lcBench).noquote() << "target on" << TargetDevice() << "scanner on" << ScannerDevice()
                              << "printer on" << PrinterFile();
    return true;
}

// A printer is a device that exists before anyone prints: the station opens it, never creates it.
bool SimBench::MakePrinterFile(QString* error) {
    printerFile_ = options_.printerFile;
    if (printerFile_.isEmpty()) {
        if (!printerDir_.isValid()) {
            *error = QStringLiteral("no temporary folder for the printer file: %1")
                         .arg(printerDir_.errorString());
            return false;
        }
        printerFile_ = printerDir_.filePath(QStringLiteral("LPT1.prn"));
    }
    QFile file(printerFile_);
    if (!file.open(QIODevice::Append)) {
        *error = QStringLiteral("%1: %2").arg(printerFile_, file.errorString());
        return false;
    }
    return true;
}

bool SimBench::Stop(QString* error) {
    operatorIdle_.stop();
    operatorPause_.stop();
    return options_.eepromFile.isEmpty() || target_->SaveEeprom(options_.eepromFile, error);
}

QStringList SimBench::PortOptions() const {
    return {QStringLiteral("--port"), QStringLiteral("COM1=") + TargetDevice(),
            QStringLiteral("--port"), QStringLiteral("COM2=") + ScannerDevice(),
            QStringLiteral("--port"), QStringLiteral("LPT1=") + PrinterFile()};
}

QStringList SimBench::ClientOptions() const {
    QStringList options = PortOptions();
    for (const QString& alias : VisaAliases())
        options << QStringLiteral("--visa-alias") << alias;
    for (const QString& board : VisaBoards())
        options << QStringLiteral("--visa-board") << board;
    return options;
}

void SimBench::MakeUnit(std::uint32_t seed) {
    UnitOptions unitOptions = options_.unit;
    unitOptions.seed = seed;
    const std::uint32_t unitNumber = seed - options_.unit.seed + 1;
    if (options_.flawEvery > 0 && unitNumber % static_cast<std::uint32_t>(options_.flawEvery) != 0)
        unitOptions.flaw = UnitFlaw::kNone;
    {
        std::lock_guard lock(unitLock_);
        target_.reset();
        unit_ = std::make_unique<UnitModel>(unitOptions);
        supply_.Connect(*unit_);
        target_ = std::make_unique<VirtualTarget>(*unit_);
        target_->SetRestartTimeMs(options_.restartMs);
        target_->SetFaults(options_.targetFaults);
    }
    emit unitChanged();
}

void SimBench::Insert() {
    {
        std::lock_guard lock(unitLock_);
        unit_->Insert();
    }
    qCInfo(lcBench) << "unit" << seed_ << "put on the supply";
    emit unitChanged();
}

void SimBench::Remove() {
    {
        std::lock_guard lock(unitLock_);
        unit_->Remove();
    }
    qCInfo(lcBench) << "unit" << seed_ << "taken off the supply";
    emit unitChanged();
}

QString SimBench::Status() {
    std::lock_guard lock(unitLock_);
    return QStringLiteral("unit %1: %2, %3, %4 A, %5 commits; target %6, scanner %7; supply %8 "
                          "output %9")
        .arg(seed_)
        .arg(unit_->OnSupply() ? QStringLiteral("on the supply") : QStringLiteral("off the supply"))
        .arg(unit_->Powered() ? QStringLiteral("powered") : QStringLiteral("not powered"))
        .arg(unit_->SupplyCurrentA(), 0, 'f', 3)
        .arg(target_->CommitCount())
        .arg(TargetDevice(), ScannerDevice(),
             QLatin1String(VirtualSupply::ModelName(options_.instruments.supply)),
             supply_.OutputOn() ? QStringLiteral("on at %1 V").arg(supply_.Volts(), 0, 'f', 3)
                                : QStringLiteral("off"));
}

std::vector<QByteArray> SimBench::OnTargetBytes(const QByteArray& bytes) {
    std::unique_lock lock(unitLock_);
    const int commitsBefore = target_->CommitCount();
    const int settlesBefore = target_->SettleCount();
    std::vector<QByteArray> replies = target_->Receive(bytes, clock_.elapsed());
    // A unit is done when the station has committed its values, or has stopped it after a
    // failure (radio off, call ended), and then leaves it alone.
    const bool done =
        target_->CommitCount() > commitsBefore || target_->SettleCount() > settlesBefore;
    lock.unlock();
    if (options_.autoOperator && (operatorIdle_.isActive() || done))
        operatorIdle_.start();
    return replies;
}

std::vector<QByteArray> SimBench::OnScannerBytes(const QByteArray& bytes) {
    const QByteArray answer = scanner_.Receive(bytes);
    if (answer.isEmpty())
        return {};
    return {answer};
}

void SimBench::OnOperatorIdle() {
    Remove();
    ++unitsTested_;
    operatorPause_.start();
}

void SimBench::OnOperatorPauseOver() {
    MakeUnit(++seed_);
    Insert();
}
