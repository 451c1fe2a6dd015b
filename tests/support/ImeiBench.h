#pragma once

#include "link/PortMap.h"
#include "sessions/ImeiFiles.h"
#include "sessions/ImeiRwSession.h"
#include "sim/target/EepromImage.h"
#include "tests/support/PanelBench.h"

#include <QDateTime>
#include <QFile>

inline const QString kImei = QStringLiteral("356789012345672");
inline const QString kSecondImei = QStringLiteral("490154203237518");
inline const QDateTime kFriday(QDate(2002, 9, 13), QTime(14, 5, 9));
inline const QString kFridayText = QStringLiteral("14:05:09, Friday, September 13, 2002");
inline const QByteArray kImeiBytes("\x53\x76\x98\x10\x32\x54\x76\x02", 8);

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The IMEI tool's waits, every one short.
inline ImeiTimings QuickImeiTimings() {
    ImeiTimings timings;
    timings.replyTimeoutMs = 1500;
    timings.scannerTryMs = 40;
    timings.imeiWriteWaitMs = 1000;
    timings.imeiReadWaitMs = 1000;
    timings.pauseMs = 1;
    timings.versionWaitMs = 300;
    timings.regionWaitMs = 1000;
    return timings;
}

// The IMEI station on the simulated bench: its phone on COM1, its scanner on COM2, its printer
// file on LPT1.
class ImeiBench : public PanelBench {
protected:
    void SetUp() override {
        PanelBench::SetUp();
        PortMap::Instance().Set(ImeiRwSession::kScannerPort, bench.ScannerDevice());
        PortMap::Instance().SetPrinter(ImeiRwSession::kPrinterPort, bench.PrinterFile());
        bench.Scanner().SetBarcodes({kImei, kSecondImei});
    }
    void TearDown() override {
        PortMap::Instance().Clear();
        PanelBench::TearDown();
    }

    void WriteReference(const QByteArray& text) {
        QFile file(dir.filePath(kSoftwareVersionFile));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray Eeprom(int address, int count) {
        return bench.Target().Eeprom().Read(address, count);
    }
    QByteArray Printed() { return FileBytes(bench.PrinterFile()); }
};
