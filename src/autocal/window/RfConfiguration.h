#pragma once

#include "CalibrationConfig.h"

#include <QObject>

// The station's RF parameter configuration for the life of the process: the RF parameter dialog
// replaces it as one unit, and every calibration window hands it to its engine, also while the
// window is open. It starts as the zero configuration: no instruments, no channels, no losses.
class RfConfiguration : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const CalibrationConfig& Config() const { return config_; }
    void Apply(const CalibrationConfig& config);

signals:
    void changed(const CalibrationConfig& config);

private:
    CalibrationConfig config_;
};
