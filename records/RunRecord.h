#pragma once

#include "autocal/CalibrationConfig.h"
#include "autocal/CalibrationResults.h"
#include "autocal/SearchSamples.h"

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QMetaType>
#include <QString>

#include <optional>

// Everything one run of the calibration engine leaves behind, passed or failed: where and when it
// ran, on what, with which configuration and instruments, how it ended and every value it found
// or measured.
struct RunRecord {
    QString id; // unique across stations: a run sent twice is stored once
    QString host;
    QString station;
    QDateTime started; // UTC
    QDateTime ended;
    QString model;
    QString stage;
    QString name;
    QString run; // "all" for "AUTO CAL START", otherwise the one calibration's name
    CalibrationConfig config;
    QString testSetIdentity;
    QString supplyIdentity;
    RunOutcome outcome = RunOutcome::Success;
    QString failureText;
    QString failedCalibration;
    int failedStep = 0;
    qint64 elapsedMs = 0;
    // The values found, by name (see ValueName): GMAGIC per band, RX by index, APC DAC by band,
    // sub-band and level, battery.
    QMap<QString, qint64> values;
    QList<TxPowerSample> txPower;
    QList<GmagicSample> gmagic;
};

Q_DECLARE_METATYPE(RunRecord)

QString OutcomeText(RunOutcome outcome); // "success", "failed", "stopped"
std::optional<RunOutcome> OutcomeFromText(const QString& text);
QString CalibrationName(int calibration); // "GMAGIC", "RX", "GSM TX", "DCS TX", "BOARD"
QString BandName(int band);               // "GSM", "DCS"
int BandFromName(const QString& name);

QJsonObject ConfigToJson(const CalibrationConfig& config);
CalibrationConfig ConfigFromJson(const QJsonObject& json);

// The whole record, for the spool and for other tools.
QJsonObject RecordToJson(const RunRecord& record);
RunRecord RecordFromJson(const QJsonObject& json);

// Time stamps as stored: UTC with milliseconds, so that text order is time order.
QString StoredTime(const QDateTime& time);
QDateTime TimeFromStored(const QString& text);
