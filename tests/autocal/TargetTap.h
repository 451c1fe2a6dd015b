#pragma once

#include "link/SerialPort.h"
#include "tests/support/FakeTarget.h"
#include "tests/support/PtyPair.h"

#include <QByteArray>
#include <QList>
#include <QObject>

#include <memory>

class QSocketNotifier;

// A tap on the line between the station and the bench's target: everything passes through, and
// each packet the station wrote is kept in order. Runs on the test's event loop.
class TargetTap : public QObject {
    Q_OBJECT
public:
    TargetTap();
    ~TargetTap() override;

    // Opens the target's end (the bench's device).
    bool Open(const QString& targetDevice, QString* error);
    // What the station opens instead of the target's device.
    QString StationDevice() const { return station_.SlavePath(); }

    QList<QByteArray> Packets() const { return listener_.Packets(); }

private:
    void Forward(const QByteArray& packet);
    void OnTargetReadable();

    PtyPair station_;
    FakeTarget listener_{station_}; // answers nothing itself: it only cuts the packets out
    SerialPort target_;
    std::unique_ptr<QSocketNotifier> notifier_;
};
