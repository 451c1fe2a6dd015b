// The Willtek's part of the call check and the RX calibration.
#include "drivers/wt4400/wt4400.h"
#include "instruments/TestSet4400.h"
#include "instruments/TestSetLevels.h"

#include <QByteArray>

namespace {

constexpr double kFirstWaitSeconds = 10.0;
constexpr double kSecondWaitSeconds = 5.0;

// The Willtek answers the reported RX level as a signed decimal integer. Its "no result"
// (9.91E37) must not read as RXLEV 9, nor its 0 of a call without a report as a level.
std::optional<double> ParseRxLevel(const QByteArray& reply) {
    const QByteArray digits = reply.trimmed();
    qsizetype end = digits.startsWith('-') || digits.startsWith('+') ? 1 : 0;
    while (end < digits.size() && digits[end] >= '0' && digits[end] <= '9')
        ++end;
    const bool real =
        end < digits.size() && (digits[end] == '.' || digits[end] == 'E' || digits[end] == 'e');
    bool ok = false;
    const int value = digits.left(end).toInt(&ok);
    if (!ok || real || value == 0)
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
    // A reply that is no level goes to the error path: the query's own status is not looked at.
    const std::optional<double> level = ParseRxLevel(QByteArray(reply));
    if (!level)
        Step(WT4400_ERROR_READ);
    return level;
}
