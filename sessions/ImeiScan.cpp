// The scan cycle of the IMEI tool: one phone from barcode to labels.
#include "base/MessageService.h"
#include "link/PortMap.h"
#include "link/Scanner.h"
#include "sessions/ImeiFiles.h"
#include "sessions/ImeiLines.h"
#include "sessions/ImeiRwSession.h"
#include "sessions/LPT1Write.h"

namespace {

const std::uint8_t kClear[] = {'B', 'C', 'L', 'R', '\r'};
const std::uint8_t kOn[] = {'L', 'O', 'N', '\r'};
const std::uint8_t kOff[] = {'L', 'O', 'F', 'F', '\r'};

const char* const kQueueFullText = "Queue is Full !";
const char* const kScannerMisreadText = "잘못 읽혔습니다. 다시 시도하세요.!!!";
const char* const kErrorText = "ERROR !!!";
const char* const kPortOpenText = "COM Port already open !";
const char* const kScannerFailedText = "Scanner가 정보를 읽는데 실패했습니다.";
const char* const kMisreadText = "잘못 읽혔습니다. 다시 작업하세요 !!!";
const char* const kNotWrittenText = "Set에 IMEI번호를 저장하지 못했습니다. 다시 작업하세요 !!!";
const char* const kNotReadText = "Set에서 IMEI번호를 읽지 못했습니다. 다시 작업하세요 !!!";
const char* const kDifferentText = "읽은번호와 쓴번호가 다릅니다. 다시 작업하세요 !!!";
const char* const kVersionText = "Software Version이 다릅니다. 다시 작업하세요 !!!";
const char* const kRegionText = "Region값을 저장할수없습니다. 다시 작업하세요 !!!";

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString WithReason(const char* text, const QString& reason) {
    return Text(text) + QLatin1Char('\n') + reason;
}

} // namespace

bool ImeiRwSession::Scan() {
    if (sequence_.IsRunning())
        return false;
    // Let go last: whatever waited for the cycle's end (its window closing) goes after it.
    const PumpingSequence::Running running(sequence_);
    emit scanStarted();
    // The cycle's replies come to this tool even when the pointer passes over another one.
    CComm& comm = Link().Comm();
    comm.HoldReceiver(&Link());
    const bool printed = RunScan();
    comm.ReleaseReceiver(&Link());
    if (sequence_.Cancelled())
        EndCancelledScan();
    else if (scanner_)
        scanner_->SetQueueMode(0); // every way out leaves the scanner's channel in direct mode
    emit scanFinished(printed);
    return printed;
}

bool ImeiRwSession::RunScan() {
    imeiAck_ = 0;
    const QString timeText = TimeText(now_());
    fields_.scanned.clear();
    fields_.imei.clear();
    fields_.softwareVersion.clear();
    Changed();
    if (!OpenScanner() || !ReadBarcode() || !WriteScannedImei() || !ReadBackImei() ||
        !CheckSoftwareVersion() || !WriteScanRegion() || !KeepRecord(timeText))
        return false;
    const bool printed = PrintLabels();
    SwitchScannerOff();
    return printed;
}

bool ImeiRwSession::OpenScanner() {
    if (!scanner_) {
        scanner_ = std::make_unique<CScannerComm>();
        connect(scanner_.get(), &CComm::queueFull, this,
                [] { ShowMessage(Text(kQueueFullText), MessageIcon::Exclamation); });
        connect(scanner_.get(), &CScannerComm::misread, this,
                [] { ShowMessage(Text(kScannerMisreadText), MessageIcon::Exclamation); });
    }
    scanner_->SetQueueMode(1);
    if (!scanner_->Open(kScannerPort, kScannerBaud)) {
        ShowMessage(WithReason(kPortOpenText, scanner_->LastError()), MessageIcon::Exclamation);
        scanner_.reset();
        return Stop(Text(kErrorText));
    }
    return true;
}

bool ImeiRwSession::ReadBarcode() {
    if (!scanner_->SendBytes(sizeof kClear, kClear, timings_.scannerTryMs, &sequence_))
        return Stop(Text(kErrorText));
    if (sequence_.Cancelled())
        return false;
    if (!scanner_->SendBytes(sizeof kOn, kOn, timings_.scannerTryMs, &sequence_)) {
        if (sequence_.Cancelled())
            return false;
        Stop(Text(kScannerFailedText));
        scanner_->WriteBlock(kOff, sizeof kOff);
        return false;
    }
    scanner_->Queue().Clear();
    scanner_->SetQueueMode(0);
    if (sequence_.Cancelled())
        return false;
    fields_.scanned = QString::fromLatin1(scanner_->ReplyText());
    Changed();
    if (fields_.scanned.startsWith(QLatin1String("G1")))
        return Stop(Text(kMisreadText));
    // A label the scanner misread is never written into a phone.
    if (const auto problem = ImeiProblem(fields_.scanned.left(kImeiDigits)))
        return Stop(WithReason(kMisreadText, *problem));
    return true;
}

bool ImeiRwSession::WriteScannedImei() {
    imeiAck_ = 0;
    target_.Send(ImeiWriteLine(fields_.scanned));
    if (!WaitFor(&imeiAck_, timings_.imeiWriteWaitMs))
        return Stop(Text(kNotWrittenText));
    return true;
}

bool ImeiRwSession::ReadBackImei() {
    if (!Pause(timings_.pauseMs))
        return false;
    imeiAck_ = 0;
    target_.Send(QStringLiteral("str 60"));
    if (!WaitFor(&imeiAck_, timings_.imeiReadWaitMs))
        return Stop(Text(kNotReadText));
    if (!Pause(timings_.pauseMs))
        return false;
    if (fields_.imei.left(kImeiDigits) != fields_.scanned.left(kImeiDigits))
        return Stop(Text(kDifferentText));
    return true;
}

bool ImeiRwSession::CheckSoftwareVersion() {
    target_.Send(QStringLiteral("str 10"));
    if (!Pause(timings_.versionWaitMs))
        return false;
    QString error;
    const std::optional<QByteArray> reference = ReadReferenceVersion(&error);
    if (!reference)
        return Stop(WithReason(kVersionText, error));
    // Without a version from the phone there is nothing that could match the reference.
    const QByteArray version = fields_.softwareVersion.toLatin1();
    if (version.isEmpty())
        return Stop(WithReason(kVersionText, QStringLiteral("The phone did not tell its "
                                                            "software version.")));
    if (reference->left(version.size()) != version)
        return Stop(Text(kVersionText));
    return true;
}

bool ImeiRwSession::WriteScanRegion() {
    regionAck_ = 0;
    WriteRegion();
    if (!WaitFor(&regionAck_, timings_.regionWaitMs))
        return Stop(Text(kRegionText));
    return Pause(timings_.pauseMs);
}

bool ImeiRwSession::KeepRecord(const QString& timeText) {
    QString error;
    if (AppendImeiRecord(fields_.imei + QLatin1Char(' ') + timeText, &error))
        return true;
    // The phone is not logged: it gets no labels until it is.
    return Stop(
        QStringLiteral("The record of IMEI %1 was not kept, and no labels were printed.\n%2")
            .arg(fields_.imei, error));
}

bool ImeiRwSession::PrintLabels() {
    CLPT1Write printer;
    QString error;
    const QString device = PortMap::Instance().PrinterDeviceFor(kPrinterPort);
    if (printer.Open(device, &error) &&
        printer.PrintLabel(fields_.scanned.toLatin1(), labels_, RegionCode(regionChoice_), &error))
        return true;
    ShowMessage(QStringLiteral("The labels of IMEI %1 were not printed on %2.\n%3")
                    .arg(fields_.scanned, PortMap::PrinterName(kPrinterPort), error),
                MessageIcon::Exclamation);
    return false;
}

void ImeiRwSession::SwitchScannerOff() {
    scanner_->SetQueueMode(1);
    scanner_->ClearReply();
    scanner_->WriteBlock(kOff, sizeof kOff);
    scanner_->SetQueueMode(0);
}

void ImeiRwSession::EndCancelledScan() {
    // The reply the cycle waited for no longer matters: no "No Response" after it.
    target_.Link().KillTimers();
    if (!scanner_)
        return;
    SwitchScannerOff();
    scanner_.reset();
}

bool ImeiRwSession::Stop(const QString& text) {
    // A cycle ended from outside says nothing more.
    if (!sequence_.Cancelled())
        ShowMessage(text, MessageIcon::Exclamation);
    return false;
}

bool ImeiRwSession::WaitFor(const int* flag, int ms) {
    return sequence_.WaitUntil([flag] { return *flag != 0; }, ms);
}

bool ImeiRwSession::Pause(int ms) {
    // An acknowledgement ends a wait early, but not a pause.
    return sequence_.Wait(ms);
}
