#pragma once

#include "autocal/CalibrationCodes.h"
#include "autocal/CalibrationContext.h"

#include <QMetaType>
#include <QString>
#include <QStringList>

#include <array>

// What the header line of a result block names: the "MODEL", "Phone Stage" and "Phone name"
// of the calibration window.
struct ResultHeader {
    QString model = QStringLiteral("QM310/QT310");
    QString stage = QStringLiteral("MP");
    QString name;
};

// The results as the calibration window shows them: the rows of "GSM APC" (levels 5 to 19) and
// "DCS APC" (PCL 0 to 15) with the DACs of sub-bands 1 to 3, "RX CAL." by channel, the GMAGIC
// and battery values.
struct CalibrationResults {
    static constexpr int kGsmRows = 15;
    static constexpr int kDcsRows = 16;
    std::array<std::array<std::int32_t, 3>, kGsmRows> gsmApc{};
    std::array<std::array<std::int32_t, 3>, kDcsRows> dcsApc{};
    std::array<std::int16_t, kRxChannels> rx{};
    std::int32_t gsmGmagic = 0;
    std::int32_t dcsGmagic = 0;
    std::int32_t battery = 0;
};

// What a run starts with: a complete run ("AUTO CAL START") or one calibration, the
// configuration in force and the result file's header.
struct RunSetup {
    bool runAll = true;
    ActiveCalibration calibration = CAL_NONE;
    CalibrationConfig config;
    ResultHeader header;
};

enum class RunOutcome { Success, Failed, Stopped };

// How a run ended, told once per run: the calibration it ended in (the last of the run, or the
// one that failed or was stopped), and for a failure the last step it sent and the text of its
// OK/FAIL popup.
struct RunEnd {
    RunOutcome outcome = RunOutcome::Success;
    ActiveCalibration calibration = CAL_NONE;
    int step = 0;
    QString text;

    bool operator==(const RunEnd&) const = default;
};

Q_DECLARE_METATYPE(CalibrationResults)
Q_DECLARE_METATYPE(RunSetup)
Q_DECLARE_METATYPE(RunEnd)

CalibrationResults ResultsOf(const CalibrationContext& cal);

// The lines a finished calibration appends to the result file, without the empty line that
// opens each block: the header line first for GMAGIC (the first of a complete run) and board.
QStringList ResultBlockLines(ActiveCalibration calibration, const CalibrationResults& results,
                             const ResultHeader& header);
