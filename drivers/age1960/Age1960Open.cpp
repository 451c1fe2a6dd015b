// Opening, closing, resets and device clear.
#include "drivers/age1960/Age1960Io.h"
#include "drivers/age1960/Age1960Scpi.h"
#include "visa/DriverSession.h"

using namespace age1960;

namespace {

// A preset keeps the instrument busy for seconds, and the error-queue check after it waits for
// the reply that only comes when it is done.
constexpr ViUInt32 kPresetAllowanceMs = 10000;

// The session starts with VISA's own time-out, which the waits raise for themselves.
ViStatus OpenVisa(ViConstRsrc resource, Age1960Session* session) {
    return DriverSession::Open(
        resource, &session->resourceManager, &session->visa, [session](ViSession vi) {
            return viGetAttribute(vi, VI_ATTR_TMO_VALUE, &session->timeoutMs);
        });
}

void Release(const Age1960Session& session) {
    const ViSession handle = session.visa;
    DriverSession::Close(session.visa, session.resourceManager);
    RemoveSession(handle);
}

// Vendor names vary (Agilent, Keysight) and so does the spacing of the model field.
bool IsAn8960(const QByteArray& identity) {
    const QByteArray upper = identity.toUpper();
    return upper.contains("8960") || upper.contains("E5515");
}

ViStatus CheckAfterPreset(Age1960Session& session, ViStatus status) {
    return WithTimeout(session, RaisedTimeout(session, kPresetAllowanceMs),
                       [&session, status] { return Checked(session, status); });
}

ViStatus Preset(ViSession session, const char* line) {
    return OnSession(session, [line](Age1960Session& found) {
        return CheckAfterPreset(found, WriteLine(found, line));
    });
}

ViStatus Prepare(Age1960Session& session, bool idQuery, bool reset) {
    ViStatus status = VI_SUCCESS;
    if (idQuery) {
        QByteArray identity;
        status = Query(session, Age1960Scpi::kIdentify, &identity);
        if (status < VI_SUCCESS)
            return status;
        if (!IsAn8960(identity))
            return VI_ERROR_FAIL_ID_QUERY;
        session.identity = identity.trimmed();
    }
    if (reset)
        status = WriteLine(session, Age1960Scpi::kReset);
    if (status >= VI_SUCCESS)
        status = WriteLine(session, Age1960Scpi::kClearStatus);
    return reset ? CheckAfterPreset(session, status) : Checked(session, status);
}

} // namespace

ViStatus age1960_init(ViConstRsrc resource, ViInt16 idQuery, ViInt16 reset, ViSession* session) {
    if (session)
        *session = VI_NULL;
    if (!resource)
        return VI_ERROR_PARAMETER1;
    ViStatus status = DriverSession::CheckInitArguments(idQuery, reset, session, 2);
    if (status < VI_SUCCESS)
        return status;
    Age1960Session opened;
    status = OpenVisa(resource, &opened);
    if (status < VI_SUCCESS)
        return status;
    Age1960Session& added = AddSession(opened);
    status = Prepare(added, idQuery == 1, reset == 1);
    if (status < VI_SUCCESS) {
        Release(added);
        return status;
    }
    *session = added.visa;
    return status;
}

ViStatus age1960_identity(ViSession session, ViChar text[]) {
    if (!text)
        return VI_ERROR_PARAMETER2;
    return OnSession(session, [text](const Age1960Session& found) {
        DriverText::CopyText(found.identity, text, AGE1960_MESSAGE_SIZE);
        return VI_SUCCESS;
    });
}

ViStatus age1960_close(ViSession session) {
    ViStatus status = VI_SUCCESS;
    const Age1960Session* found = FindSession(session, &status);
    if (found)
        Release(*found);
    return status;
}

ViStatus age1960_reset(ViSession session) {
    return Preset(session, Age1960Scpi::kReset);
}

ViStatus age1960_partialPreset(ViSession session) {
    return Preset(session, Age1960Scpi::kPartialPreset);
}

ViStatus age1960_dcl(ViSession session) {
    return OnSession(session, [](Age1960Session& found) { return viClear(found.visa); });
}

ViStatus age1960_timeOut(ViSession session, ViInt32 timeoutMs) {
    return OnSession(session, [timeoutMs](Age1960Session& found) {
        if (timeoutMs < 0)
            return VI_ERROR_PARAMETER2;
        const auto value = static_cast<ViUInt32>(timeoutMs);
        const ViStatus status = viSetAttribute(found.visa, VI_ATTR_TMO_VALUE, value);
        if (status >= VI_SUCCESS)
            found.timeoutMs = value;
        return status;
    });
}
