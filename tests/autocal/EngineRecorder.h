#pragma once

#include "autocal/CalibrationResults.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QStringList>

#include <functional>

class CalibrationEngine;

// What the engine showed, in the order a window would have received it. The popup is closed as
// soon as it is shown, through closeOkFail.
class EngineRecorder : public QObject {
    Q_OBJECT
public:
    // With the engine on another thread its signals come queued, on this object's thread.
    void Listen(CalibrationEngine& engine);

    std::function<void()> closeOkFail;

    QStringList statuses;
    QStringList okFails;
    QStringList notices;
    QStringList testSetFailures;
    QStringList clocks;
    QList<int> progress;
    QList<bool> targetChecks;
    QList<int> finished;
    QList<RunEnd> ends;
    QMap<int, CalibrationResults> results;
    int phonesDetected = 0;
    int phonesRemoved = 0;
};

// Whether all holds each of wanted, in that order (with others between them).
bool InOrder(const QStringList& all, const QStringList& wanted);
