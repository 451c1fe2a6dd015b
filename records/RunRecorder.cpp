#include "records/RunRecorder.h"

#include "autocal/CalibrationEngine.h"
#include "records/RecordSettings.h"
#include "records/RecordValues.h"
#include "records/RecordWriter.h"

#include <QSysInfo>
#include <QUuid>

RunRecorder::RunRecorder(CalibrationEngine& engine, RecordWriter& writer, QObject* parent)
    : QObject(parent), writer_(writer) {
    qRegisterMetaType<RunRecord>();
    connect(
        &engine, &CalibrationEngine::instrumentsIdentified, this,
        [this](const QString& testSet, const QString& supply) {
            testSetIdentity_ = testSet;
            supplyIdentity_ = supply;
        },
        Qt::DirectConnection);
    connect(&engine, &CalibrationEngine::runStarted, this, &RunRecorder::OnStarted,
            Qt::DirectConnection);
    connect(&engine, &CalibrationEngine::resultsShown, this, &RunRecorder::OnResults,
            Qt::DirectConnection);
    connect(
        &engine, &CalibrationEngine::txPowerMeasured, this,
        [this](const TxPowerSample& sample) {
            if (run_)
                run_->txPower << sample;
        },
        Qt::DirectConnection);
    connect(
        &engine, &CalibrationEngine::gmagicSampled, this,
        [this](const GmagicSample& sample) {
            if (run_)
                run_->gmagic << sample;
        },
        Qt::DirectConnection);
    connect(&engine, &CalibrationEngine::runEnded, this, &RunRecorder::OnEnded,
            Qt::DirectConnection);
}

void RunRecorder::OnStarted(const RunSetup& setup) {
    RunRecord run;
    run.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    run.host = QSysInfo::machineHostName();
    run.station = RecordSettings::StationName();
    run.started = QDateTime::currentDateTimeUtc();
    run.model = setup.header.model;
    run.stage = setup.header.stage;
    run.name = setup.header.name;
    run.run = setup.runAll ? QStringLiteral("all") : CalibrationName(setup.calibration);
    run.config = setup.config;
    run.testSetIdentity = testSetIdentity_;
    run.supplyIdentity = supplyIdentity_;
    run_ = run;
    clock_.start();
}

void RunRecorder::OnResults(int calibration, const CalibrationResults& results) {
    if (!run_)
        return;
    const QMap<QString, qint64> values =
        ValuesOf(static_cast<ActiveCalibration>(calibration), results);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        run_->values.insert(it.key(), it.value());
}

void RunRecorder::OnEnded(const RunEnd& end) {
    if (!run_)
        return;
    RunRecord run = *std::exchange(run_, std::nullopt);
    run.outcome = end.outcome;
    if (end.outcome != RunOutcome::Success)
        run.failedCalibration = CalibrationName(end.calibration);
    run.failureText = end.text;
    run.failedStep = end.step;
    run.ended = QDateTime::currentDateTimeUtc();
    run.elapsedMs = clock_.elapsed();
    writer_.Submit(run);
    emit recorded(run);
}
