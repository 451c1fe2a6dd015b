#include "tests/records/RecordSamples.h"

#include "records/RecordValues.h"

#include <QUuid>

RunRecord SampleRun(const QString& station, const QDateTime& started, RunOutcome outcome) {
    RunRecord run;
    run.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    run.host = QStringLiteral("bench-pc");
    run.station = station;
    run.started = started.toUTC();
    run.ended = run.started.addSecs(170);
    run.elapsedMs = 170250;
    run.model = QStringLiteral("QM310/QT310");
    run.stage = QStringLiteral("MP");
    run.name = QStringLiteral("unit, \"7\"");
    run.run = QStringLiteral("all");
    run.config = DefaultConfig();
    run.testSetIdentity = QStringLiteral("Agilent Technologies,8960 Series 10 E5515B,GB1,0");
    run.outcome = outcome;
    CalibrationResults results;
    results.gsmGmagic = 231;
    results.dcsGmagic = -4;
    results.rx[2] = -3;
    results.gsmApc[0] = {612, 605, 598};
    run.values = ValuesOf(CAL_GMAGIC, results);
    run.values.insert(ValuesOf(CAL_RX, results));
    run.values.insert(ValuesOf(CAL_GSM_TX, results));
    if (outcome == RunOutcome::Failed) {
        run.failureText = QStringLiteral("DCS 2Band 105LEVEL FAIL");
        run.failedCalibration = QStringLiteral("DCS TX");
        run.failedStep = 19;
    } else {
        run.values.insert(ValuesOf(CAL_DCS_TX, results));
    }
    run.txPower = {{kBandEgsm, 1, 5, 600, 32.4},
                   {kBandEgsm, 1, 5, 612, std::nullopt},
                   {kBandDcs, 2, 105, 380, 19.9}};
    run.gmagic = {{kBandEgsm, -52.25}, {kBandDcs, -54.5}};
    return run;
}
