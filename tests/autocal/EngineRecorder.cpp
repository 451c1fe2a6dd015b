#include "tests/autocal/EngineRecorder.h"

#include "autocal/CalibrationEngine.h"

void EngineRecorder::Listen(CalibrationEngine& engine) {
    connect(&engine, &CalibrationEngine::statusShown, this,
            [this](const QString& text, StatusStyle) { statuses << text; });
    connect(&engine, &CalibrationEngine::okFailShown, this, [this](const QString& text) {
        okFails << text;
        if (closeOkFail)
            closeOkFail();
    });
    connect(&engine, &CalibrationEngine::noticeShown, this,
            [this](const QString& text) { notices << text; });
    connect(&engine, &CalibrationEngine::testSetInitFailed, this,
            [this](const QString& text) { testSetFailures << text; });
    connect(&engine, &CalibrationEngine::clockShown, this,
            [this](const QString& text) { clocks << text; });
    connect(&engine, &CalibrationEngine::progressShown, this,
            [this](int position) { progress << position; });
    connect(&engine, &CalibrationEngine::targetCheckShown, this,
            [this](bool ok) { targetChecks << ok; });
    connect(&engine, &CalibrationEngine::calibrationFinished, this,
            [this](int calibration) { finished << calibration; });
    connect(&engine, &CalibrationEngine::runEnded, this,
            [this](const RunEnd& end) { ends << end; });
    connect(
        &engine, &CalibrationEngine::resultsShown, this,
        [this](int calibration, const CalibrationResults& shown) { results[calibration] = shown; });
    connect(&engine, &CalibrationEngine::phoneDetected, this, [this] { ++phonesDetected; });
    connect(&engine, &CalibrationEngine::phoneRemoved, this, [this] { ++phonesRemoved; });
}

bool InOrder(const QStringList& all, const QStringList& wanted) {
    qsizetype at = 0;
    for (const QString& text : wanted) {
        at = all.indexOf(text, at);
        if (at < 0)
            return false;
        ++at;
    }
    return true;
}
