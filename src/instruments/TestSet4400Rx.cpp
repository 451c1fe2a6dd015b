// The Willtek's part of the call check and the RX calibration.
#include "TestSet4400.h"
#include "TestSetLevels.h"
#include "wt4400.h"

#include <QByteArray>

namespace {

constexpr double kFirstWaitSeconds = 10.0;
constexpr double kSecondWaitSeconds = 5.0;

// The Willtek answers the reported RX level as a signed decimal integer.
std::optional<double> ParseRxLevel(const QByteArray& reply) {
    const QByteArray digits = reply.trimmed();
    qsizetype end = digits.startsWith('-') || digits.startsWith('+') ? 1 : 0;
    while (end < digits.size() && digits[end] >= '0' && digits[end] <= '9')
        ++end;
    bool ok = false;
    const int value = digits.left(end).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

bool TestSet4400::WaitForCall() {
    if (!Step(wt4400_waitForConnection(Session(), kFirstWaitSeconds)))
        return false;
    const ViStatus status = wt4400_waitForConnection(Session(), kSecondWaitSeconds);
    Step(status);
    return status == VI_SUCCESS;
}

void TestSet4400::SetupRx() {
    Step(wt4400_selectCallSystem(Session(), 1)) && UseCouplingTable() &&
        Step(WriteLine("CONF:GSM:BS:LEV ", static_cast<int>(kCellLevelDbm)));
}

void TestSet4400::SendRxLossAndLevel() {
    if (Step(WriteLine("CONF:GSM:BS:LEV ", static_cast<int>(kCellLevelDbm))))
        WriteLine("CONF:GSM:MSTA:PLEV ", Context().powerLevel);
}

void TestSet4400::SendTrafficChannel() {
    Step(WriteLine("CONF:GSM:BS:TCH:ARFC ", Context().tchChannel));
}

std::optional<double> TestSet4400::ReadRxLevel() {
    ViChar reply[128] = {};
    wt4400_query(Session(), ":CALL:MSINFO:RXLEVEL?", reply, sizeof reply);
    // A reply without a number must not pass for a level of 0.
    const std::optional<double> level = ParseRxLevel(QByteArray(reply));
    if (!level)
        Step(WT4400_ERROR_READ);
    return level;
}
