#pragma once

// [AutoCal] EngineerControls=true in the station's settings file enables the calibration
// window's controls that the production line keeps disabled, so that an engineer reaches the
// board calibration, the mode and the full EEPROM reset. Off by default.
bool EngineerControlsSetting();
