#include "records/RunRecord.h"

#include "autocal/CalibrationCodes.h"
#include "instruments/InstrumentModels.h"

#include <QJsonArray>

namespace {

template <typename Array> QJsonArray ToArray(const Array& values) {
    QJsonArray array;
    for (const auto value : values)
        array.append(value);
    return array;
}

template <typename Array> void FromArray(const QJsonValue& json, Array& values) {
    const QJsonArray array = json.toArray();
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] =
            static_cast<typename Array::value_type>(array.at(static_cast<int>(i)).toDouble());
}

QJsonArray TxPowerToJson(const QList<TxPowerSample>& samples) {
    QJsonArray array;
    for (const TxPowerSample& sample : samples) {
        QJsonObject object{{"band", BandName(sample.band)},
                           {"subBand", sample.subBand},
                           {"level", sample.level},
                           {"dac", sample.dac}};
        object.insert("dbm", sample.dbm ? QJsonValue(*sample.dbm) : QJsonValue());
        array.append(object);
    }
    return array;
}

QList<TxPowerSample> TxPowerFromJson(const QJsonArray& array) {
    QList<TxPowerSample> samples;
    for (const QJsonValue& value : array) {
        const QJsonObject object = value.toObject();
        TxPowerSample sample;
        sample.band = static_cast<std::int16_t>(BandFromName(object.value("band").toString()));
        sample.subBand = object.value("subBand").toInt();
        sample.level = object.value("level").toInt();
        sample.dac = object.value("dac").toInt();
        if (object.value("dbm").isDouble())
            sample.dbm = object.value("dbm").toDouble();
        samples << sample;
    }
    return samples;
}

} // namespace

QString OutcomeText(RunOutcome outcome) {
    switch (outcome) {
    case RunOutcome::Success:
        return QStringLiteral("success");
    case RunOutcome::Failed:
        return QStringLiteral("failed");
    case RunOutcome::Stopped:
        return QStringLiteral("stopped");
    }
    return {};
}

std::optional<RunOutcome> OutcomeFromText(const QString& text) {
    for (const RunOutcome outcome : {RunOutcome::Success, RunOutcome::Failed, RunOutcome::Stopped})
        if (text.compare(OutcomeText(outcome), Qt::CaseInsensitive) == 0)
            return outcome;
    return std::nullopt;
}

QString CalibrationName(int calibration) {
    switch (calibration) {
    case CAL_GMAGIC:
        return QStringLiteral("GMAGIC");
    case CAL_RX:
        return QStringLiteral("RX");
    case CAL_GSM_TX:
        return QStringLiteral("GSM TX");
    case CAL_DCS_TX:
        return QStringLiteral("DCS TX");
    case CAL_BOARD:
        return QStringLiteral("BOARD");
    default:
        return QString();
    }
}

QString BandName(int band) {
    return band == kBandDcs ? QStringLiteral("DCS") : QStringLiteral("GSM");
}

int BandFromName(const QString& name) {
    return name.compare(QLatin1String("DCS"), Qt::CaseInsensitive) == 0 ? kBandDcs : kBandEgsm;
}

QJsonObject ConfigToJson(const CalibrationConfig& config) {
    return {{"gsmBch", config.gsmBch},
            {"gsmTch", ToArray(config.gsmTch)},
            {"gsmLoss", ToArray(config.gsmLoss)},
            {"dcsBch", config.dcsBch},
            {"dcsTch", ToArray(config.dcsTch)},
            {"dcsLoss", ToArray(config.dcsLoss)},
            {"testSet", TestSetName(config.testSetType)},
            {"supply", SupplyName(config.supplyType)}};
}

CalibrationConfig ConfigFromJson(const QJsonObject& json) {
    CalibrationConfig config;
    config.gsmBch = json.value("gsmBch").toInt();
    FromArray(json.value("gsmTch"), config.gsmTch);
    FromArray(json.value("gsmLoss"), config.gsmLoss);
    config.dcsBch = json.value("dcsBch").toInt();
    FromArray(json.value("dcsTch"), config.dcsTch);
    FromArray(json.value("dcsLoss"), config.dcsLoss);
    config.testSetType = TestSetTypeFromText(json.value("testSet").toString());
    config.supplyType = SupplyTypeFromText(json.value("supply").toString());
    return config;
}

QJsonObject RecordToJson(const RunRecord& record) {
    QJsonObject values;
    for (auto it = record.values.cbegin(); it != record.values.cend(); ++it)
        values.insert(it.key(), it.value());
    QJsonArray gmagic;
    for (const GmagicSample& sample : record.gmagic)
        gmagic.append(QJsonObject{{"band", BandName(sample.band)}, {"dbm", sample.dbm}});
    return {{"id", record.id},
            {"host", record.host},
            {"station", record.station},
            {"started", StoredTime(record.started)},
            {"ended", StoredTime(record.ended)},
            {"model", record.model},
            {"stage", record.stage},
            {"name", record.name},
            {"run", record.run},
            {"config", ConfigToJson(record.config)},
            {"testSetIdentity", record.testSetIdentity},
            {"supplyIdentity", record.supplyIdentity},
            {"outcome", OutcomeText(record.outcome)},
            {"failureText", record.failureText},
            {"failedCalibration", record.failedCalibration},
            {"failedStep", record.failedStep},
            {"elapsedSeconds", static_cast<double>(record.elapsedMs) / 1000.0},
            {"values", values},
            {"txPower", TxPowerToJson(record.txPower)},
            {"gmagicSamples", gmagic}};
}

RunRecord RecordFromJson(const QJsonObject& json) {
    RunRecord record;
    record.id = json.value("id").toString();
    record.host = json.value("host").toString();
    record.station = json.value("station").toString();
    record.started = TimeFromStored(json.value("started").toString());
    record.ended = TimeFromStored(json.value("ended").toString());
    record.model = json.value("model").toString();
    record.stage = json.value("stage").toString();
    record.name = json.value("name").toString();
    record.run = json.value("run").toString();
    record.config = ConfigFromJson(json.value("config").toObject());
    record.testSetIdentity = json.value("testSetIdentity").toString();
    record.supplyIdentity = json.value("supplyIdentity").toString();
    record.outcome = OutcomeFromText(json.value("outcome").toString()).value_or(RunOutcome::Failed);
    record.failureText = json.value("failureText").toString();
    record.failedCalibration = json.value("failedCalibration").toString();
    record.failedStep = json.value("failedStep").toInt();
    record.elapsedMs = qRound64(json.value("elapsedSeconds").toDouble() * 1000.0);
    const QJsonObject values = json.value("values").toObject();
    for (auto it = values.begin(); it != values.end(); ++it)
        record.values.insert(it.key(), it.value().toInteger());
    record.txPower = TxPowerFromJson(json.value("txPower").toArray());
    for (const QJsonValue& value : json.value("gmagicSamples").toArray()) {
        const QJsonObject object = value.toObject();
        record.gmagic << GmagicSample{
            static_cast<std::int16_t>(BandFromName(object.value("band").toString())),
            object.value("dbm").toDouble()};
    }
    return record;
}

QString StoredTime(const QDateTime& time) {
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QDateTime TimeFromStored(const QString& text) {
    QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!time.isValid())
        time = QDateTime::fromString(text, Qt::ISODate);
    return time.toUTC();
}
