// Coupling (cable-loss) tables and the RF generator.
#include "drivers/wt4400/Wt4400Io.h"
#include "drivers/wt4400/Wt4400Limits.h"
#include "drivers/wt4400/Wt4400Slots.h"
#include "drivers/wt4400/Wt4400Text.h"

#include <QList>

namespace {

const char* const kModulations[] = {"NO", "GMSK"};
const char* const kSignalTypes[] = {"BURS", "CWAV"};
const char* const kOnOff[] = {"ON", "OFF"};
const char* const kBitPatterns[] = {"PRBS9", "PRBS15", "PRBS23", "ALLZ", "ALLO",
                                    "ONEZ",  "DOUB",   "FOUR",   "EIGH"};
const char* const kOneToSeven[] = {"1", "2", "3", "4", "5", "6", "7"}; // timeslots, sequences
constexpr ViInt16 kModulationNone = 1;
constexpr ViInt16 kSignalContinuous = 2;

// The GSM 900 and the DCS/PCS ranges of the generator, bounds excluded.
bool IsGeneratorFrequency(double mhz) {
    return (mhz > 800.0 && mhz < 1000.0) || (mhz > 1700.0 && mhz < 2000.0);
}

ViStatus FrequencyAndLevel(double mhz, double dbm, QList<QByteArray>* parts) {
    if (mhz != 0.0) {
        if (!IsGeneratorFrequency(mhz))
            return WT4400_ERROR_NOT_ALLOWED;
        parts->append("FREQ " + Fixed(mhz * 1000000.0));
    }
    if (dbm != 0.0) {
        if (!InRange(dbm, Wt4400Limits::kMinLevelDbm, Wt4400Limits::kMaxLevelDbm))
            return WT4400_ERROR_NOT_ALLOWED;
        parts->append("LEV " + Fixed(dbm));
    }
    return VI_SUCCESS;
}

// Appends header and the word for code when code is given (non-zero); a code naming no word
// is refused.
bool AppendWord(const char* header, ViInt32 code, const char* word, QList<QByteArray>* parts) {
    if (code == 0)
        return true;
    if (!word)
        return false;
    parts->append(QByteArray(header) + word);
    return true;
}

ViStatus WriteGeneratorLine(ViSession session, const QList<QByteArray>& parts) {
    if (parts.isEmpty())
        return VI_SUCCESS;
    return WriteLine(session, "RFG:" + parts.join(';'));
}

} // namespace

ViStatus wt4400_setCoupling(ViSession session, ViConstString tableName, ViInt16 state) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (state != 0 && state != 1)
            return VI_ERROR_PARAMETER3;
        if (state == 1 && (!tableName || QByteArray(tableName).contains('"')))
            return VI_ERROR_PARAMETER2;
        if (state == 0)
            return SendSetting(session, "CONF:COUP:STAT OFF");
        ViStatus status = WriteLine(session, ":CONF:COUP:NAME \"" + QByteArray(tableName) + '"');
        if (status >= VI_SUCCESS)
            status = WriteLine(session, ":CONF:COUP:STAT ON");
        return status < VI_SUCCESS ? status : ConfirmOpc(session);
    });
}

ViStatus wt4400_setCouplingLossTable(ViSession session, const ViReal64 frequenciesMHz[],
                                     const ViReal64 lossesDb[], ViInt16 count) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (!frequenciesMHz || !lossesDb || count < 1 || count > Wt4400Limits::kMaxCouplingPairs)
            return WT4400_ERROR_NOT_ALLOWED;
        QByteArray line = "CONF:COUPLOSS:DATA \"Test.cpl\"";
        int gsmPairs = 0;
        for (int i = 0; i < count; ++i) {
            const double loss = Wt4400Limits::kMaxCouplingLossDb;
            if (!IsGeneratorFrequency(frequenciesMHz[i]) || !InRange(lossesDb[i], -loss, loss))
                return WT4400_ERROR_NOT_ALLOWED;
            gsmPairs += frequenciesMHz[i] < 1000.0 ? 1 : 0;
            line += ',' + Fixed(frequenciesMHz[i]) + ',' + Fixed(lossesDb[i]);
        }
        if (gsmPairs > Wt4400Limits::kMaxCouplingPairsPerBand ||
            count - gsmPairs > Wt4400Limits::kMaxCouplingPairsPerBand)
            return WT4400_ERROR_NOT_ALLOWED;
        return SendSetting(session, line);
    });
}

ViStatus wt4400_configureRfGenerator(ViSession session, ViReal64 frequencyMHz, ViReal64 levelDbm,
                                     ViInt16 modulation, ViInt16 trainingSequenceState,
                                     ViInt16 trainingSequence, ViInt16 bitPattern,
                                     ViInt16 signalType, ViInt16 timeslot) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (timeslot != 0 && !Word(timeslot, kOneToSeven))
            return WT4400_ERROR_NOT_ALLOWED;
        QList<QByteArray> parts;
        QList<QByteArray> modulationParts;
        // A signal type that opens the line still needs its header: "RFG:CWAV" is no command.
        const bool valid =
            FrequencyAndLevel(frequencyMHz, levelDbm, &parts) >= VI_SUCCESS &&
            AppendWord("MOD ", modulation, Word(modulation, kModulations), &parts) &&
            AppendWord("STYP ", signalType, Word(signalType, kSignalTypes), &parts) &&
            AppendWord(":RFG:MOD:TSEQ:STAT ", trainingSequenceState,
                       Word(trainingSequenceState, kOnOff), &modulationParts) &&
            AppendWord(":RFG:MOD:TSEQ ", trainingSequence, Word(trainingSequence, kOneToSeven),
                       &modulationParts) &&
            AppendWord(":RFG:MOD:BITP ", bitPattern, Word(bitPattern, kBitPatterns),
                       &modulationParts);
        if (!valid)
            return WT4400_ERROR_NOT_ALLOWED;
        if (timeslot != 0 && signalType == kSignalContinuous)
            parts.append(QByteArray(":RFG:BURS:TSL ") + Word(timeslot, kOneToSeven));
        if (modulation != kModulationNone)
            parts += modulationParts;
        return WriteGeneratorLine(session, parts);
    });
}

ViStatus wt4400_setRfGeneratorFrequencyLevel(ViSession session, ViReal64 frequencyMHz,
                                             ViReal64 levelDbm) {
    return OnSlot(session, [&](Wt4400Slot&) {
        QList<QByteArray> parts;
        const ViStatus status = FrequencyAndLevel(frequencyMHz, levelDbm, &parts);
        return status < VI_SUCCESS ? status : WriteGeneratorLine(session, parts);
    });
}
