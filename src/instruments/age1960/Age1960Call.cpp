// Call set-up: bands, channels, levels, the operating mode and the call connection.
#include "Age1960Arguments.h"
#include "Age1960Io.h"
#include "Age1960Text.h"

#include <cmath>

using namespace age1960;

namespace {

// The instrument's range of CALL:CONN:TIM.
constexpr double kMaxConnectSeconds = 100.0;

ViStatus ConnectedState(Age1960Session& session, double timeoutSeconds) {
    const auto waitMs = static_cast<ViUInt32>(std::ceil(timeoutSeconds * 1000.0));
    QByteArray reply;
    // The instrument holds its answer for up to the time given, so the read must outlast it.
    ViStatus status = WithTimeout(session, RaisedTimeout(session, waitMs),
                                  [&] { return Query(session, Age1960Scpi::kConnected, &reply); });
    status = Checked(session, status);
    ViInt32 connected = -1;
    if (status < VI_SUCCESS)
        return status;
    if (!ParseInteger(reply, &connected) || (connected != 0 && connected != 1))
        return VI_ERROR_INV_RESPONSE;
    return connected == 1 ? status : AGE1960_ERROR_NOT_CONNECTED;
}

} // namespace

ViStatus age1960_TCHARFCN(ViSession session, ViInt32 arfcn, ViInt16 band, ViInt16 waitComplete) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    if (!found)
        return status;
    if (!BandName(band))
        return VI_ERROR_PARAMETER3;
    if (!IsFlag(waitComplete))
        return VI_ERROR_PARAMETER4;
    return SendChecked(*found,
                       Fill(Age1960Scpi::kTchChannel, BandName(band), QByteArray::number(arfcn)),
                       waitComplete == 1);
}

ViStatus age1960_MSTXLevel(ViSession session, ViInt32 level, ViInt16 band, ViInt16 waitComplete) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    if (!found)
        return status;
    if (!BandName(band))
        return VI_ERROR_PARAMETER3;
    if (!IsFlag(waitComplete))
        return VI_ERROR_PARAMETER4;
    return SendChecked(*found,
                       Fill(Age1960Scpi::kMsTxLevel, BandName(band), QByteArray::number(level)),
                       waitComplete == 1);
}

ViStatus age1960_BCHARFCN(ViSession session, ViInt16 cell, ViInt32 arfcn, ViInt16 band,
                          ViInt16 waitComplete) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    if (!found)
        return status;
    if (cell != kAge1960Cell)
        return VI_ERROR_PARAMETER2;
    if (!BandName(band))
        return VI_ERROR_PARAMETER4;
    if (!IsFlag(waitComplete))
        return kAge1960Parameter5;
    return SendChecked(*found,
                       Fill(Age1960Scpi::kBchChannel, BandName(band), QByteArray::number(arfcn)),
                       waitComplete == 1);
}

ViStatus age1960_cellBand(ViSession session, ViInt16 cell, ViInt16 band) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    if (!found)
        return status;
    if (cell != kAge1960Cell)
        return VI_ERROR_PARAMETER2;
    if (!BandName(band))
        return VI_ERROR_PARAMETER3;
    return SendChecked(*found, Fill(Age1960Scpi::kCellBand, BandName(band)));
}

ViStatus age1960_TCHBand(ViSession session, ViInt16 band) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    if (!found)
        return status;
    if (!BandName(band))
        return VI_ERROR_PARAMETER2;
    return SendChecked(*found, Fill(Age1960Scpi::kTchBand, BandName(band)));
}

ViStatus age1960_operatingMode(ViSession session, ViInt16 mode) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    if (!found)
        return status;
    if (mode != AGE1960_MODE_TEST && mode != AGE1960_MODE_CALL)
        return VI_ERROR_PARAMETER2;
    return SendChecked(*found,
                       mode == AGE1960_MODE_TEST ? Age1960Scpi::kModeTest : Age1960Scpi::kModeCall);
}

ViStatus age1960_amplitudeOffset(ViSession session, ViReal64 offsetDb) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    if (!found)
        return status;
    if (!IsFinite(offsetDb))
        return VI_ERROR_PARAMETER2;
    return SendChecked(*found, Fill(Age1960Scpi::kAmplitudeOffset, ScpiNumber(offsetDb)));
}

ViStatus age1960_cellPower(ViSession session, ViInt16 cell, ViReal64 powerDbm, ViInt32 reserved1,
                           ViInt32 reserved2) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    if (!found)
        return status;
    if (cell != kAge1960Cell)
        return VI_ERROR_PARAMETER2;
    if (!IsFinite(powerDbm))
        return VI_ERROR_PARAMETER3;
    if (reserved1 != 0)
        return VI_ERROR_PARAMETER4;
    if (reserved2 != 0)
        return kAge1960Parameter5;
    return SendChecked(*found, Fill(Age1960Scpi::kCellPower, ScpiNumber(powerDbm)));
}

ViStatus age1960_prepareCallState(ViSession session) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    return found ? SendChecked(*found, Age1960Scpi::kConnectArm) : status;
}

ViStatus age1960_waitForConnect(ViSession session, ViReal64 timeoutSeconds) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    if (!found)
        return status;
    if (!(timeoutSeconds >= 0.0 && timeoutSeconds <= kMaxConnectSeconds))
        return VI_ERROR_PARAMETER2;
    status = SendChecked(*found, Fill(Age1960Scpi::kConnectTimeout, ScpiNumber(timeoutSeconds)));
    return status < VI_SUCCESS ? status : ConnectedState(*found, timeoutSeconds);
}
