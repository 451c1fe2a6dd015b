#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <cstdint>

// Faults the scanner can show on request, for the IMEI tool's reliability tests.
struct ScannerFaults {
    bool silent = false;     // answers nothing at all
    int misreadEveryNth = 0; // every Nth barcode comes out as a misread text (0: never)
    bool noLabel = false;    // "LON" finds no label to read and answers nothing
};

// The barcode scanner on COM2: "BCLR\r" answers "OK\r", "LON\r" answers the next IMEI barcode
// (15 digits ending in a valid check digit, then CR), "LOFF\r" switches the reader off quietly.
class VirtualScanner {
public:
    // barcodes: the texts to hand out in turn (cycled); none: valid IMEIs made from seed.
    explicit VirtualScanner(QStringList barcodes = {}, std::uint32_t seed = 1);

    // Bytes the station wrote; returns what the scanner answers (possibly nothing).
    QByteArray Receive(const QByteArray& bytes);

    void SetFaults(const ScannerFaults& faults) { faults_ = faults; }
    // The labels put under the reader from now on, handed out in turn.
    void SetBarcodes(const QStringList& barcodes) {
        barcodes_ = barcodes;
        scans_ = 0;
    }
    bool IsOn() const { return on_; }
    int Scans() const { return scans_; }
    // The requests received ("LON\r" and so on), in order: the last kKeptRequests of them.
    static constexpr int kKeptRequests = 1000;
    const QList<QByteArray>& Requests() const { return requests_; }

    // The Luhn check digit that makes fourteen digits a valid IMEI.
    static char CheckDigit(const QByteArray& fourteenDigits);
    // Reads barcodes one per line; blank lines are skipped.
    static bool LoadBarcodes(const QString& path, QStringList* barcodes, QString* error);

private:
    QByteArray Answer(const QByteArray& request);
    QByteArray NextBarcode();

    QStringList barcodes_;
    std::uint32_t seed_;
    ScannerFaults faults_;
    QByteArray pending_;
    QList<QByteArray> requests_;
    bool on_ = false;
    int scans_ = 0;
};
