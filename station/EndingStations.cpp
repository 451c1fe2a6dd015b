#include "station/EndingStations.h"

#include "station/CalibrationStation.h"

#include <QDeadlineTimer>

EndingStations::EndingStations(QObject* parent) : QObject(parent) {}

EndingStations::~EndingStations() = default;

void EndingStations::Adopt(std::unique_ptr<CalibrationStation> station) {
    CalibrationStation* ending = station.get();
    // Queued: the station is deleted outside the emission of its own signal.
    connect(
        ending, &CalibrationStation::ended, this, [this, ending] { Remove(ending); },
        Qt::QueuedConnection);
    stations_.push_back(std::move(station));
    ending->End();
}

bool EndingStations::WaitForAll(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    for (const std::unique_ptr<CalibrationStation>& station : stations_) {
        if (!station->WaitForEnd(deadline))
            return false;
    }
    stations_.clear();
    return true;
}

void EndingStations::Remove(CalibrationStation* station) {
    std::erase_if(stations_, [station](const std::unique_ptr<CalibrationStation>& kept) {
        return kept.get() == station;
    });
}
