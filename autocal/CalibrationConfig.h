#pragma once

#include "instruments/InstrumentModels.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// The RF parameter configuration: the channels and cable losses to calibrate on and the
// instruments connected. Sub-band n of a band is calibrated on its TCH channel n with loss n
// (index n - 1 below); the BCH of a band goes with loss 2.
struct CalibrationConfig {
    std::int32_t gsmBch = 0;
    std::array<std::int32_t, 3> gsmTch{}; // PGSM1, PGSM2, PGSM3
    std::array<double, 3> gsmLoss{};      // dB, 0 down to -2.0
    std::int32_t dcsBch = 0;
    std::array<std::int32_t, 3> dcsTch{}; // DCS1, DCS2, DCS3
    std::array<double, 3> dcsLoss{};
    std::int32_t testSetType = kTestSetNone;
    std::int32_t supplyType = kSupplyNone;

    bool operator==(const CalibrationConfig&) const = default;
};

// The dialog's conversions of what the operator chose or typed. Nothing is rejected: text that
// is not a number gives 0, a type name that matches none gives "none" (InstrumentModels.h).
std::int32_t ChannelFromText(const QString& text); // "NOT": 0; leading digits, like atoi
double LossFromText(const QString& text);          // "NOT": 0.0; leading number, like strtod

// The sixteen texts in the order the dialog reads them: GSM BCH, PGSM1-3 TCH, GSM loss 2, 1, 3,
// DCS BCH, DCS1-3 TCH, DCS loss 2, 1, 3, test-set type, supply type. Missing texts count as empty.
CalibrationConfig ConfigFromDialogTexts(const QStringList& texts);
// What the dialog shows when it opens, in the same order.
QStringList DefaultDialogTexts();
// The test sets and the supplies the dialog lists, in its order; the operator may type others.
QStringList TestSetChoices();
QStringList SupplyChoices();
// What OK applies when the operator changed nothing.
CalibrationConfig DefaultConfig();
