#include "records/RecordValues.h"

#include "records/RunRecord.h"

namespace {

constexpr int kFirstGsmLevel = 5;

constexpr std::size_t Index(int i) {
    return static_cast<std::size_t>(i);
}

void AddApc(QMap<QString, qint64>& values, int band, int rows, int firstLevel, const auto& table) {
    for (int row = 0; row < rows; ++row)
        for (int sub = 1; sub <= 3; ++sub)
            values[ApcValueName(band, sub, firstLevel + row)] = table[Index(row)][Index(sub - 1)];
}

} // namespace

QString GmagicValueName(int band) {
    return QStringLiteral("gmagic.") + BandName(band).toLower();
}

QString RxValueName(int index) {
    return QStringLiteral("rx.%1").arg(index);
}

QString ApcValueName(int band, int subBand, int level) {
    return QStringLiteral("apc.%1.%2.%3").arg(BandName(band).toLower()).arg(subBand).arg(level);
}

QMap<QString, qint64> ValuesOf(ActiveCalibration calibration, const CalibrationResults& results) {
    QMap<QString, qint64> values;
    switch (calibration) {
    case CAL_GMAGIC:
        values[GmagicValueName(kBandEgsm)] = results.gsmGmagic;
        values[GmagicValueName(kBandDcs)] = results.dcsGmagic;
        break;
    case CAL_RX:
        for (int index = 0; index < kRxChannels; ++index)
            values[RxValueName(index)] = results.rx[Index(index)];
        break;
    case CAL_GSM_TX:
        AddApc(values, kBandEgsm, CalibrationResults::kGsmRows, kFirstGsmLevel, results.gsmApc);
        break;
    case CAL_DCS_TX:
        AddApc(values, kBandDcs, CalibrationResults::kDcsRows, 0, results.dcsApc);
        break;
    case CAL_BOARD:
        values[QLatin1String(kBatteryValueName)] = results.battery;
        break;
    case CAL_NONE:
        break;
    }
    return values;
}

CalibrationResults ResultsFromValues(const QMap<QString, qint64>& values) {
    CalibrationResults results;
    const auto value = [&values](const QString& name) {
        return static_cast<std::int32_t>(values.value(name));
    };
    results.gsmGmagic = value(GmagicValueName(kBandEgsm));
    results.dcsGmagic = value(GmagicValueName(kBandDcs));
    for (int index = 0; index < kRxChannels; ++index)
        results.rx[Index(index)] = static_cast<std::int16_t>(value(RxValueName(index)));
    for (int sub = 1; sub <= 3; ++sub) {
        for (int row = 0; row < CalibrationResults::kGsmRows; ++row)
            results.gsmApc[Index(row)][Index(sub - 1)] =
                value(ApcValueName(kBandEgsm, sub, kFirstGsmLevel + row));
        for (int row = 0; row < CalibrationResults::kDcsRows; ++row)
            results.dcsApc[Index(row)][Index(sub - 1)] = value(ApcValueName(kBandDcs, sub, row));
    }
    results.battery = value(QLatin1String(kBatteryValueName));
    return results;
}
