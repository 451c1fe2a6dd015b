#pragma once

#include <QString>

// Where the station keeps its few persistent settings (the port map and, later, instrument
// aliases): the framework's own key, as the station has always used.
inline constexpr const char* kSettingsOrganization = "Local AppWizard-Generated Applications";
inline constexpr const char* kSettingsApplication = "Rftune";
inline constexpr const char* kSettingsPortsGroup = "Ports";
// [AutoCal]: the calibration's settings; Configuration holds the sixteen texts of the RF
// parameter dialog that a station keeps for its next start.
inline constexpr const char* kSettingsAutoCalGroup = "AutoCal";
inline constexpr const char* kSettingsConfigurationKey = "Configuration";
