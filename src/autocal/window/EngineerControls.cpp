#include "EngineerControls.h"

#include "StationSettings.h"

#include <QSettings>

bool EngineerControlsSetting() {
    const QSettings settings{QLatin1String(kSettingsOrganization),
                             QLatin1String(kSettingsApplication)};
    return settings.value(QStringLiteral("AutoCal/EngineerControls"), false).toBool();
}
