#include "autocal/CalibrationResults.h"

namespace {

constexpr int kFirstGsmRowLevel = 5;
constexpr int kFirstDcsRowLevel = 100;

constexpr std::size_t Index(int i) {
    return static_cast<std::size_t>(i);
}

QString HeaderLine(const ResultHeader& header) {
    return QStringLiteral("##########  Phone Model :  ") + header.model +
           QStringLiteral("  stage : ") + header.stage + QStringLiteral("  name : ") + header.name +
           QStringLiteral("  ##########");
}

QString ApcLine(int label, const std::array<std::int32_t, 3>& dacs) {
    return QString::asprintf("%5d %10d %5d %5d", label, dacs[0], dacs[1], dacs[2]);
}

QStringList GsmTxLines(const CalibrationResults& results) {
    QStringList lines{"***** APC GSM TX Calibration *****", "level    APC Value"};
    for (int row = 0; row < CalibrationResults::kGsmRows; ++row)
        lines << ApcLine(kFirstGsmRowLevel + row, results.gsmApc[Index(row)]);
    return lines;
}

QStringList DcsTxLines(const CalibrationResults& results) {
    QStringList lines{"***** APC DCS TX Calibration *****", "level    APC Value"};
    for (int row = 0; row < CalibrationResults::kDcsRows; ++row)
        lines << ApcLine(row, results.dcsApc[Index(row)]);
    return lines;
}

QStringList RxLines(const CalibrationResults& results) {
    QStringList lines{"***** RX CHANNEL Calibration ***** ", "Index   Value"};
    for (int index = 0; index < kRxChannels; ++index)
        lines << QString::asprintf("%5d     %d", index, static_cast<int>(results.rx[Index(index)]));
    return lines;
}

QStringList GmagicLines(const CalibrationResults& results) {
    return {"***** Gmagic Calibration ***** ", "index   GMAGIC value",
            QString::asprintf("GSM  %d", results.gsmGmagic),
            QString::asprintf("DCS  %d", results.dcsGmagic)};
}

QStringList BoardLines(const CalibrationResults& results) {
    return {"***** Battery Calibration *****",
            QString::asprintf("%s  %d", "Battery value   ", results.battery)};
}

} // namespace

CalibrationResults ResultsOf(const CalibrationContext& cal) {
    CalibrationResults results;
    for (int row = 0; row < CalibrationResults::kGsmRows; ++row) {
        for (int sub = 1; sub <= 3; ++sub)
            results.gsmApc[Index(row)][Index(sub - 1)] =
                cal.gsmApc[Index(sub)][Index(kFirstGsmRowLevel + row)];
    }
    for (int row = 0; row < CalibrationResults::kDcsRows; ++row) {
        for (int sub = 1; sub <= 3; ++sub)
            results.dcsApc[Index(row)][Index(sub - 1)] =
                cal.dcsApc[Index(sub)][Index(kFirstDcsRowLevel + row)];
    }
    results.rx = cal.rxTable;
    results.gsmGmagic = cal.gsmGmagic;
    results.dcsGmagic = cal.dcsGmagic;
    results.battery = cal.batteryReading;
    return results;
}

QStringList ResultBlockLines(ActiveCalibration calibration, const CalibrationResults& results,
                             const ResultHeader& header) {
    switch (calibration) {
    case CAL_GMAGIC:
        return QStringList{HeaderLine(header)} + GmagicLines(results);
    case CAL_BOARD:
        return QStringList{HeaderLine(header)} + BoardLines(results);
    case CAL_GSM_TX:
        return GsmTxLines(results);
    case CAL_DCS_TX:
        return DcsTxLines(results);
    case CAL_RX:
        return RxLines(results);
    case CAL_NONE:
        break;
    }
    return {};
}
