#pragma once

#include "autocal/CalibrationConfig.h"

#include <QObject>
#include <QStringList>

#include <optional>

class QSettings;

// The station's RF parameter configuration for the life of the process: the RF parameter dialog
// replaces it as one unit, and every calibration window hands it to its engine, also while the
// window is open. A station may keep the dialog's texts in its settings ([AutoCal]
// Configuration) for the next start: cable losses are measured per station, not typed in anew.
class RfConfiguration : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const CalibrationConfig& Config() const { return config_; }
    void Apply(const CalibrationConfig& config);

    // The configuration in force at start: the one given (on the command line), else the one
    // the station keeps, else the zero configuration (no instruments, no channels, no losses).
    // A kept value that is not sixteen texts is said on the log and ignored.
    void Start(const std::optional<CalibrationConfig>& given, const QSettings& settings);
    // The dialog's sixteen texts that the station keeps, in the dialog's order; empty when it
    // keeps none. The RF parameter dialog opens with them.
    const QStringList& KeptTexts() const { return keptTexts_; }
    // Keeps the texts for this station's next start.
    void Keep(const QStringList& texts, QSettings& settings);

signals:
    void changed(const CalibrationConfig& config);

private:
    CalibrationConfig config_;
    QStringList keptTexts_;
};
