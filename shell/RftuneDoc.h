#pragma once

#include "autocal/window/RfConfiguration.h"
#include "link/Scanner.h"
#include "station/EndingStations.h"

#include <QObject>

// The station's one document: the target channel, the RF parameter configuration that the RF
// parameter dialog sets and the calibration windows use for the life of the process, and the
// calibration stations still ending after their window went, which use the channel and so go
// before it. The main frame closes the port before the program ends; the channel closes it too
// when it goes.
class CRftuneDoc : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    CComm& Comm() { return comm_; }
    RfConfiguration& RfParameters() { return rfParameters_; }
    EndingStations& Stations() { return stations_; }

private:
    CComm comm_;
    RfConfiguration rfParameters_;
    EndingStations stations_;
};
