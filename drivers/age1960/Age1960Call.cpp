// Call set-up: bands, channels, levels, the operating mode and the call connection.
#include "drivers/age1960/Age1960Arguments.h"
#include "drivers/age1960/Age1960Io.h"
#include "drivers/age1960/Age1960Text.h"

#include <cmath>

using namespace age1960;
using DriverText::ScpiNumber;

namespace {

// The instrument's range of CALL:CONN:TIM.
constexpr double kMaxConnectSeconds = 100.0;

// A setting of one band; badBand is the failure that names the band's argument.
ViStatus SendBand(Age1960Session& found, const char* pattern, ViInt16 band, ViStatus badBand) {
    if (!BandName(band))
        return badBand;
    return SendChecked(found, Fill(pattern, BandName(band)));
}

// A value for one band, confirmed with "*OPC?" when the caller waits; the failures name the band's
// argument and the wait's, which follows it.
ViStatus SendBandValue(Age1960Session& found, const char* pattern, ViInt16 band, ViInt32 value,
                       ViInt16 waitComplete, ViStatus badBand, ViStatus badWait) {
    if (!BandName(band))
        return badBand;
    if (!IsFlag(waitComplete))
        return badWait;
    return SendChecked(found, Fill(pattern, BandName(band), QByteArray::number(value)),
                       waitComplete == 1);
}

ViStatus ConnectedState(Age1960Session& session, double timeoutSeconds) {
    const auto waitMs = static_cast<ViUInt32>(std::ceil(timeoutSeconds * 1000.0));
    QByteArray reply;
    // The instrument holds its answer for up to the time given, so the read must outlast it.
    const ViStatus status = QueryCheckedWithin(session, RaisedTimeout(session, waitMs),
                                               Age1960Scpi::kConnected, &reply);
    ViInt32 connected = -1;
    if (status < VI_SUCCESS)
        return status;
    if (!DriverText::ParseInteger(reply, &connected) || (connected != 0 && connected != 1))
        return VI_ERROR_INV_RESPONSE;
    return connected == 1 ? status : AGE1960_ERROR_NOT_CONNECTED;
}

} // namespace

ViStatus age1960_TCHARFCN(ViSession session, ViInt32 arfcn, ViInt16 band, ViInt16 waitComplete) {
    return OnSession(session, [&](Age1960Session& found) {
        return SendBandValue(found, Age1960Scpi::kTchChannel, band, arfcn, waitComplete,
                             VI_ERROR_PARAMETER3, VI_ERROR_PARAMETER4);
    });
}

ViStatus age1960_MSTXLevel(ViSession session, ViInt32 level, ViInt16 band, ViInt16 waitComplete) {
    return OnSession(session, [&](Age1960Session& found) {
        return SendBandValue(found, Age1960Scpi::kMsTxLevel, band, level, waitComplete,
                             VI_ERROR_PARAMETER3, VI_ERROR_PARAMETER4);
    });
}

ViStatus age1960_BCHARFCN(ViSession session, ViInt16 cell, ViInt32 arfcn, ViInt16 band,
                          ViInt16 waitComplete) {
    return OnSession(session, [&](Age1960Session& found) {
        if (cell != kAge1960Cell)
            return VI_ERROR_PARAMETER2;
        return SendBandValue(found, Age1960Scpi::kBchChannel, band, arfcn, waitComplete,
                             VI_ERROR_PARAMETER4, VI_ERROR_PARAMETER5);
    });
}

ViStatus age1960_cellBand(ViSession session, ViInt16 cell, ViInt16 band) {
    return OnSession(session, [&](Age1960Session& found) {
        if (cell != kAge1960Cell)
            return VI_ERROR_PARAMETER2;
        return SendBand(found, Age1960Scpi::kCellBand, band, VI_ERROR_PARAMETER3);
    });
}

ViStatus age1960_TCHBand(ViSession session, ViInt16 band) {
    return OnSession(session, [&](Age1960Session& found) {
        return SendBand(found, Age1960Scpi::kTchBand, band, VI_ERROR_PARAMETER2);
    });
}

ViStatus age1960_operatingMode(ViSession session, ViInt16 mode) {
    return OnSession(session, [&](Age1960Session& found) {
        if (mode != AGE1960_MODE_TEST && mode != AGE1960_MODE_CALL)
            return VI_ERROR_PARAMETER2;
        return SendChecked(found, mode == AGE1960_MODE_TEST ? Age1960Scpi::kModeTest
                                                            : Age1960Scpi::kModeCall);
    });
}

ViStatus age1960_amplitudeOffset(ViSession session, ViReal64 offsetDb) {
    return OnSession(session, [&](Age1960Session& found) {
        if (!IsFinite(offsetDb))
            return VI_ERROR_PARAMETER2;
        return SendChecked(found, Fill(Age1960Scpi::kAmplitudeOffset, ScpiNumber(offsetDb)));
    });
}

ViStatus age1960_cellPower(ViSession session, ViInt16 cell, ViReal64 powerDbm, ViInt32 reserved1,
                           ViInt32 reserved2) {
    return OnSession(session, [&](Age1960Session& found) {
        if (cell != kAge1960Cell)
            return VI_ERROR_PARAMETER2;
        if (!IsFinite(powerDbm))
            return VI_ERROR_PARAMETER3;
        if (reserved1 != 0)
            return VI_ERROR_PARAMETER4;
        if (reserved2 != 0)
            return VI_ERROR_PARAMETER5;
        return SendChecked(found, Fill(Age1960Scpi::kCellPower, ScpiNumber(powerDbm)));
    });
}

ViStatus age1960_prepareCallState(ViSession session) {
    return OnSession(session, [](Age1960Session& found) {
        return SendChecked(found, Age1960Scpi::kConnectArm);
    });
}

ViStatus age1960_waitForConnect(ViSession session, ViReal64 timeoutSeconds) {
    return OnSession(session, [&](Age1960Session& found) {
        if (!(timeoutSeconds >= 0.0 && timeoutSeconds <= kMaxConnectSeconds))
            return VI_ERROR_PARAMETER2;
        const ViStatus status =
            SendChecked(found, Fill(Age1960Scpi::kConnectTimeout, ScpiNumber(timeoutSeconds)));
        return status < VI_SUCCESS ? status : ConnectedState(found, timeoutSeconds);
    });
}
