// The call check and the RX calibration's test set operations.
#include "TestSet.h"
#include "TestSetSteps.h"
#include "age1960.h"
#include "wt4400.h"

#include <QByteArray>

namespace {

constexpr double k8960ConnectSeconds = 5.0;
constexpr double k4400FirstWaitSeconds = 10.0;
constexpr double k4400SecondWaitSeconds = 5.0;

// The Willtek answers the reported RX level as a signed decimal integer.
bool ParseRxLevel(const QByteArray& reply, double* level) {
    QByteArray digits = reply.trimmed();
    qsizetype end = digits.startsWith('-') || digits.startsWith('+') ? 1 : 0;
    while (end < digits.size() && digits[end] >= '0' && digits[end] <= '9')
        ++end;
    bool ok = false;
    const int value = digits.left(end).toInt(&ok);
    if (ok)
        *level = value;
    return ok;
}

bool Wait8960Call() {
    const ViSession session = TestSetSessionField();
    if (!Step(age1960_prepareCallState(session)))
        return false;
    const ViStatus status = age1960_waitForConnect(session, k8960ConnectSeconds);
    Step(status);
    return status == VI_SUCCESS;
}

bool Wait4400Call() {
    if (!Step(wt4400_waitForConnection(TestSetSessionField(), k4400FirstWaitSeconds)))
        return false;
    const ViStatus status = wt4400_waitForConnection(TestSetSessionField(), k4400SecondWaitSeconds);
    Step(status);
    return status == VI_SUCCESS;
}

void Setup8960Rx() {
    const CalibrationContext& cal = CalContext();
    const ViSession session = cal.testSetSession;
    Step(age1960_cellBand(session, 1, cal.band)) &&
        Step(age1960_BCHARFCN(session, 1, cal.bchChannel, cal.band, 1)) &&
        Step(age1960_cellPower(session, 1, kCellLevelDbm, 0, 0));
}

void Setup4400Rx() {
    Step(wt4400_selectCallSystem(TestSetSessionField(), 1)) && UseWillCoupling() &&
        Step(WriteWillLine("CONF:GSM:BS:LEV ", static_cast<int>(kCellLevelDbm)));
}

void Set8960RxLossAndLevel() {
    const CalibrationContext& cal = CalContext();
    const ViSession session = cal.testSetSession;
    // The RX calibration keeps plain levels, so the level goes to the 8960 unchanged.
    if (Step(age1960_TCHBand(session, cal.band)) &&
        Step(age1960_amplitudeOffset(session, cal.cableLossDb)) &&
        Step(age1960_cellPower(session, 1, kCellLevelDbm, 0, 0)))
        age1960_MSTXLevel(session, cal.powerLevel, cal.band, 1);
}

void Set4400RxLossAndLevel() {
    if (Step(WriteWillLine("CONF:GSM:BS:LEV ", static_cast<int>(kCellLevelDbm))))
        WriteWillLine("CONF:GSM:MSTA:PLEV ", CalContext().powerLevel);
}

void Read8960RxLevel() {
    CalibrationContext& cal = CalContext();
    // Each NEW? waits for the next report; the first ones may predate the new setting.
    Step(age1960_cmdReal64_Q(cal.testSetSession, "CALL:MS:REPorted:RXLevel:NEW?;NEW?;NEW?",
                             &cal.rxLevel)) &&
        Step(age1960_cmdReal64_Q(cal.testSetSession, "CALL:MS:REPorted:RXLevel:LAST?",
                                 &cal.rxLevel));
}

void Read4400RxLevel() {
    ViChar reply[128] = {};
    wt4400_query(TestSetSessionField(), ":CALL:MSINFO:RXLEVEL?", reply, sizeof reply);
    // A reply without a number must not pass for a level of 0.
    if (!ParseRxLevel(QByteArray(reply), &CalContext().rxLevel))
        Step(WT4400_ERROR_READ);
}

} // namespace

bool WaitForCallConnected() {
    if (!GuardSession())
        return false;
    if (Is8960())
        return Wait8960Call();
    if (Is4400())
        return Wait4400Call();
    return false;
}

void SetupRxCalibration() {
    if (Is8960())
        Setup8960Rx();
    else if (Is4400())
        Setup4400Rx();
}

void SetRxLossAndLevel() {
    if (!GuardSession())
        return;
    if (Is8960())
        Set8960RxLossAndLevel();
    else if (Is4400())
        Set4400RxLossAndLevel();
}

void SetTrafficChannel() {
    if (!TestSetOpen())
        return;
    const CalibrationContext& cal = CalContext();
    if (Is8960())
        Step(age1960_TCHARFCN(cal.testSetSession, cal.tchChannel, cal.band, 1));
    else if (Is4400())
        Step(WriteWillLine("CONF:GSM:BS:TCH:ARFC ", cal.tchChannel));
}

void ReadReportedRxLevel() {
    if (!TestSetOpen())
        return;
    if (Is8960())
        Read8960RxLevel();
    else if (Is4400())
        Read4400RxLevel();
}
