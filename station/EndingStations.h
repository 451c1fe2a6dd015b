#pragma once

#include <QObject>

#include <memory>
#include <vector>

class CalibrationStation;

// Calibration stations whose window has gone while they still end: the run stopped the safe way,
// the instruments closed, the record written. Each goes once it has ended. They use the target
// channel, so its owner keeps them and waits for them before the channel goes.
class EndingStations : public QObject {
    Q_OBJECT
public:
    explicit EndingStations(QObject* parent = nullptr);
    // Waits for the stations still ending.
    ~EndingStations() override;

    // Ends station (see CalibrationStation::End) and keeps it until it has ended.
    void Adopt(std::unique_ptr<CalibrationStation> station);
    // Waits up to timeoutMs for every station to end; false, with some still ending, after it.
    bool WaitForAll(int timeoutMs);

private:
    void Remove(CalibrationStation* station);

    std::vector<std::unique_ptr<CalibrationStation>> stations_;
};
