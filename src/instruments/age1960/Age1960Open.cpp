// Opening, closing, resets and device clear.
#include "Age1960Io.h"
#include "Age1960Scpi.h"

using namespace age1960;

namespace {

// A preset keeps the instrument busy for seconds, and the error-queue check after it waits for
// the reply that only comes when it is done.
constexpr ViUInt32 kPresetAllowanceMs = 10000;

ViStatus OpenVisa(ViConstRsrc resource, Age1960Session* session) {
    ViStatus status = viOpenDefaultRM(&session->resourceManager);
    if (status < VI_SUCCESS)
        return status;
    status = viOpen(session->resourceManager, resource, VI_NO_LOCK, 0, &session->visa);
    if (status >= VI_SUCCESS)
        status = viGetAttribute(session->visa, VI_ATTR_TMO_VALUE, &session->timeoutMs);
    if (status < VI_SUCCESS) {
        if (session->visa != VI_NULL)
            viClose(session->visa);
        viClose(session->resourceManager);
    }
    return status;
}

void Release(const Age1960Session& session) {
    const ViSession handle = session.visa;
    viClose(session.visa);
    viClose(session.resourceManager);
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

ViStatus Prepare(Age1960Session& session, bool idQuery, bool reset) {
    ViStatus status = VI_SUCCESS;
    if (idQuery) {
        QByteArray identity;
        status = Query(session, Age1960Scpi::kIdentify, &identity);
        if (status < VI_SUCCESS)
            return status;
        if (!IsAn8960(identity))
            return VI_ERROR_FAIL_ID_QUERY;
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
    if (idQuery != 0 && idQuery != 1)
        return VI_ERROR_PARAMETER2;
    if (reset != 0 && reset != 1)
        return VI_ERROR_PARAMETER3;
    if (!session)
        return VI_ERROR_PARAMETER4;
    Age1960Session opened;
    ViStatus status = OpenVisa(resource, &opened);
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

ViStatus age1960_close(ViSession session) {
    ViStatus status = VI_SUCCESS;
    const Age1960Session* found = FindSession(session, &status);
    if (found)
        Release(*found);
    return status;
}

ViStatus age1960_reset(ViSession session) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    if (!found)
        return status;
    return CheckAfterPreset(*found, WriteLine(*found, Age1960Scpi::kReset));
}

ViStatus age1960_partialPreset(ViSession session) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    if (!found)
        return status;
    return CheckAfterPreset(*found, WriteLine(*found, Age1960Scpi::kPartialPreset));
}

ViStatus age1960_dcl(ViSession session) {
    ViStatus status = VI_SUCCESS;
    const Age1960Session* found = FindSession(session, &status);
    return found ? viClear(found->visa) : status;
}

ViStatus age1960_timeOut(ViSession session, ViInt32 timeoutMs) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    if (!found)
        return status;
    if (timeoutMs < 0)
        return VI_ERROR_PARAMETER2;
    status = viSetAttribute(found->visa, VI_ATTR_TMO_VALUE, static_cast<ViUInt32>(timeoutMs));
    if (status >= VI_SUCCESS)
        found->timeoutMs = static_cast<ViUInt32>(timeoutMs);
    return status;
}
