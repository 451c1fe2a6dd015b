#include "sim/scanner/VirtualScanner.h"

#include <QFile>
#include <QTextStream>

namespace {
constexpr char kCarriageReturn = '\r';
constexpr int kMaxRequest = 64; // scanner requests are 4 or 5 bytes; anything longer is noise
const QByteArray kTypeAllocationCode = "35412345";
} // namespace

VirtualScanner::VirtualScanner(QStringList barcodes, std::uint32_t seed)
    : barcodes_(std::move(barcodes)), seed_(seed) {}

char VirtualScanner::CheckDigit(const QByteArray& fourteenDigits) {
    int sum = 0;
    for (qsizetype i = 0; i < fourteenDigits.size(); ++i) {
        int digit = fourteenDigits[i] - '0';
        if (i % 2 == 1) {
            digit *= 2;
            if (digit > 9)
                digit -= 9;
        }
        sum += digit;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

bool VirtualScanner::LoadBarcodes(const QString& path, QStringList* barcodes, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    QTextStream in(&file);
    QString line;
    while (in.readLineInto(&line)) {
        if (!line.trimmed().isEmpty())
            barcodes->append(line.trimmed());
    }
    return true;
}

QByteArray VirtualScanner::Receive(const QByteArray& bytes) {
    QByteArray replies;
    for (char c : bytes) {
        pending_.append(c);
        if (c == kCarriageReturn) {
            requests_.append(pending_);
            if (requests_.size() > kKeptRequests)
                requests_.removeFirst();
            replies += Answer(pending_);
            pending_.clear();
        } else if (pending_.size() > kMaxRequest) {
            pending_.clear();
        }
    }
    return faults_.silent ? QByteArray() : replies;
}

QByteArray VirtualScanner::Answer(const QByteArray& request) {
    if (request == "BCLR\r")
        return "OK\r";
    if (request == "LOFF\r") {
        on_ = false;
        return {};
    }
    if (request == "LON\r") {
        on_ = true;
        if (faults_.noLabel)
            return {};
        return NextBarcode() + kCarriageReturn;
    }
    return {};
}

QByteArray VirtualScanner::NextBarcode() {
    const int scan = scans_++;
    if (faults_.misreadEveryNth > 0 && scans_ % faults_.misreadEveryNth == 0)
        return "?54123?5678901?"; // a smudged label: right length, not a number
    if (!barcodes_.isEmpty())
        return barcodes_[scan % barcodes_.size()].toLatin1();
    const QByteArray serial =
        QByteArray::number((seed_ * 7919u + static_cast<std::uint32_t>(scan)) % 1000000u)
            .rightJustified(6, '0');
    const QByteArray digits = kTypeAllocationCode + serial;
    return digits + CheckDigit(digits);
}
