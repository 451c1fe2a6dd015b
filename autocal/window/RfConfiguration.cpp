#include "autocal/window/RfConfiguration.h"

#include "base/StationSettings.h"

#include <QLoggingCategory>
#include <QSettings>

namespace {

Q_LOGGING_CATEGORY(lcRfConfiguration, "rftune.autocal", QtWarningMsg)

constexpr qsizetype kDialogTexts = 16;

QString KeptKey() {
    return QLatin1String(kSettingsAutoCalGroup) + QLatin1Char('/') +
           QLatin1String(kSettingsConfigurationKey);
}

// The texts as kept, or empty when none are kept or what is kept is not the dialog's sixteen.
QStringList ReadKeptTexts(const QSettings& settings) {
    if (!settings.contains(KeptKey()))
        return {};
    const QStringList texts = settings.value(KeptKey()).toStringList();
    if (texts.size() == kDialogTexts)
        return texts;
    qCWarning(lcRfConfiguration).noquote()
        << QStringLiteral("[AutoCal] Configuration in the settings file holds %1 texts, not the "
                          "sixteen of the RF parameter dialog: it is ignored")
               .arg(texts.size());
    return {};
}

} // namespace

void RfConfiguration::Apply(const CalibrationConfig& config) {
    config_ = config;
    emit changed(config_);
}

void RfConfiguration::Start(const std::optional<CalibrationConfig>& given,
                            const QSettings& settings) {
    keptTexts_ = ReadKeptTexts(settings);
    if (given)
        Apply(*given);
    else if (!keptTexts_.isEmpty())
        Apply(ConfigFromDialogTexts(keptTexts_));
    else
        Apply(CalibrationConfig{});
}

void RfConfiguration::Keep(const QStringList& texts, QSettings& settings) {
    keptTexts_ = texts;
    settings.setValue(KeptKey(), texts);
}
