#include "RfConfiguration.h"

void RfConfiguration::Apply(const CalibrationConfig& config) {
    config_ = config;
    emit changed(config_);
}
