// Opening, closing and clearing supply sessions.
#include "SupplyIo.h"
#include "SupplyLog.h"
#include "SupplyModels.h"

using namespace supplies;

namespace {

ViStatus CheckIdentity(ViSession session, const SupplyCommands& commands) {
    QByteArray identity;
    const ViStatus status = Query(session, "*IDN?", &identity);
    if (status < VI_SUCCESS)
        return status;
    if (!Identifies(commands, identity)) {
        qCWarning(lcSupplies).noquote() << session << "is not the model asked for:" << identity;
        return VI_ERROR_FAIL_ID_QUERY;
    }
    return VI_SUCCESS;
}

// Identity, reset and a clear status, then the error queue's verdict.
ViStatus Prepare(ViSession session, SupplySession& state, bool idQuery, bool reset) {
    ViStatus status = idQuery ? CheckIdentity(session, CommandsOf(state.model)) : VI_SUCCESS;
    if (status >= VI_SUCCESS && reset)
        status = WriteLine(session, "*RST");
    return status < VI_SUCCESS ? status : SendChecked(session, state, "*CLS");
}

ViStatus Open(ViConstRsrc resource, ViSession* rm, ViSession* session) {
    ViStatus status = viOpenDefaultRM(rm);
    if (status < VI_SUCCESS)
        return status;
    status = viOpen(*rm, resource, VI_NO_LOCK, 0, session);
    if (status < VI_SUCCESS)
        viClose(*rm);
    return status;
}

} // namespace

ViStatus supply_init(SupplyModel model, ViConstRsrc resource, ViInt16 idQuery, ViInt16 reset,
                     ViSession* session) {
    if (session)
        *session = VI_NULL;
    if (!IsKnownModel(model))
        return VI_ERROR_PARAMETER1;
    if (!resource)
        return VI_ERROR_PARAMETER2;
    if (idQuery != 0 && idQuery != 1)
        return VI_ERROR_PARAMETER3;
    if (reset != 0 && reset != 1)
        return VI_ERROR_PARAMETER4;
    if (!session)
        return kSupplyErrorParameter5;
    SupplySession state;
    state.model = model;
    ViSession vi = VI_NULL;
    ViStatus status = Open(resource, &state.resourceManager, &vi);
    if (status < VI_SUCCESS)
        return status;
    status = Prepare(vi, state, idQuery == 1, reset == 1);
    if (status < VI_SUCCESS) {
        viClose(vi);
        viClose(state.resourceManager);
        return status;
    }
    AddSession(vi, state);
    *session = vi;
    return status;
}

ViStatus supply_close(ViSession session) {
    const SupplySession* state = FindSession(session);
    if (!state)
        return VI_ERROR_INV_SESSION;
    const ViSession rm = state->resourceManager;
    RemoveSession(session);
    const ViStatus status = viClose(session);
    const ViStatus rmStatus = viClose(rm);
    return status < VI_SUCCESS ? status : rmStatus;
}

ViStatus supply_dcl(ViSession session) {
    if (!FindSession(session))
        return VI_ERROR_INV_SESSION;
    return viClear(session);
}
