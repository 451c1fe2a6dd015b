// Measurements: arming and the TX power result.
#include "drivers/age1960/Age1960Arguments.h"
#include "drivers/age1960/Age1960Io.h"
#include "drivers/age1960/Age1960Text.h"

#include <limits>

using namespace age1960;

namespace {

constexpr ViInt32 kMeasurementCount =
    static_cast<ViInt32>(std::size(Age1960Scpi::kMeasurementNames));

const char* MeasurementName(ViInt16 code) {
    return code >= 1 && code <= kMeasurementCount ? Age1960Scpi::kMeasurementNames[code - 1]
                                                  : nullptr;
}

// "<integrity>,<power>"; the integrity stands even when the power is "no value".
ViStatus ParseTxPower(const QByteArray& reply, ViInt32* integrity, ViReal64* powerDbm) {
    const QList<QByteArray> fields = reply.split(',');
    ViInt32 parsedIntegrity = 0;
    if (fields.size() != 2 || !DriverText::ParseInteger(fields[0], &parsedIntegrity))
        return VI_ERROR_INV_RESPONSE;
    const ViStatus parsed = ParseResult(fields[1], powerDbm);
    if (parsed != VI_ERROR_INV_RESPONSE)
        *integrity = parsedIntegrity;
    return parsed;
}

} // namespace

ViStatus age1960_readTXPower_Q(ViSession session, ViInt32 timeoutMs, ViInt32* integrity,
                               ViReal64* powerDbm) {
    return OnSession(session, [&](Age1960Session& found) {
        if (timeoutMs < 0)
            return VI_ERROR_PARAMETER2;
        if (!integrity)
            return VI_ERROR_PARAMETER3;
        if (!powerDbm)
            return VI_ERROR_PARAMETER4;
        *powerDbm = std::numeric_limits<ViReal64>::quiet_NaN();
        const ViUInt32 readTimeoutMs =
            timeoutMs == 0 ? found.timeoutMs : static_cast<ViUInt32>(timeoutMs);
        QByteArray reply;
        const ViStatus status =
            QueryCheckedWithin(found, readTimeoutMs, Age1960Scpi::kReadTxPower, &reply);
        if (status < VI_SUCCESS)
            return status;
        const ViStatus parsed = ParseTxPower(reply, integrity, powerDbm);
        return parsed < VI_SUCCESS ? parsed : status;
    });
}

ViStatus age1960_initMeasFcn(ViSession session, ViInt32 count, const ViInt16 functions[]) {
    return OnSession(session, [&](Age1960Session& found) {
        if (count < 1 || count > kMeasurementCount)
            return VI_ERROR_PARAMETER2;
        if (!functions)
            return VI_ERROR_PARAMETER3;
        QByteArrayList names;
        for (ViInt32 i = 0; i < count; ++i) {
            const char* name = MeasurementName(functions[i]);
            if (!name)
                return VI_ERROR_PARAMETER3;
            names.append(name);
        }
        return SendChecked(found, Fill(Age1960Scpi::kInitiate, names.join(';')));
    });
}
