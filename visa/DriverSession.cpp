#include "visa/DriverSession.h"

#include "visa/VppStatus.h"

namespace DriverSession {

ViStatus Open(ViConstRsrc resource, ViSession* resourceManager, ViSession* session,
              const std::function<ViStatus(ViSession)>& prepare) {
    *session = VI_NULL;
    ViStatus status = viOpenDefaultRM(resourceManager);
    if (status < VI_SUCCESS) {
        *resourceManager = VI_NULL;
        return status;
    }
    status = viOpen(*resourceManager, resource, VI_NO_LOCK, 0, session);
    if (status >= VI_SUCCESS && prepare)
        status = prepare(*session);
    if (status < VI_SUCCESS) {
        if (*session != VI_NULL)
            viClose(*session);
        viClose(*resourceManager);
        *session = VI_NULL;
        *resourceManager = VI_NULL;
    }
    return status;
}

ViStatus CheckInitArguments(ViInt16 idQuery, ViInt16 reset, const ViSession* session,
                            int idQueryAt) {
    if (idQuery != 0 && idQuery != 1)
        return VppParameterError(idQueryAt);
    if (reset != 0 && reset != 1)
        return VppParameterError(idQueryAt + 1);
    return session ? VI_SUCCESS : VppParameterError(idQueryAt + 2);
}

ViStatus Close(ViSession session, ViSession resourceManager) {
    const ViStatus status = viClose(session);
    if (resourceManager == VI_NULL)
        return status;
    const ViStatus rmStatus = viClose(resourceManager);
    return status < VI_SUCCESS ? status : rmStatus;
}

} // namespace DriverSession
