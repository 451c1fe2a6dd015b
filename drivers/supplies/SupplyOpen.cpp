// Opening, closing and clearing supply sessions.
#include "drivers/supplies/SupplyIo.h"
#include "drivers/supplies/SupplyLog.h"
#include "drivers/supplies/SupplyModels.h"
#include "visa/DriverSession.h"

using namespace supplies;

namespace {

ViStatus CheckIdentity(ViSession session, const SupplyCommands& commands, QByteArray* kept) {
    QByteArray identity;
    const ViStatus status = Query(session, "*IDN?", &identity);
    if (status < VI_SUCCESS)
        return status;
    if (!Identifies(commands, identity)) {
        qCWarning(lcSupplies).noquote() << session << "is not the model asked for:" << identity;
        return VI_ERROR_FAIL_ID_QUERY;
    }
    *kept = identity.trimmed();
    return VI_SUCCESS;
}

// Identity, reset and a clear status, then the error queue's verdict.
ViStatus Prepare(ViSession session, SupplySession& state, bool idQuery, bool reset) {
    ViStatus status =
        idQuery ? CheckIdentity(session, CommandsOf(state.model), &state.identity) : VI_SUCCESS;
    if (status >= VI_SUCCESS && reset)
        status = WriteLine(session, "*RST");
    return status < VI_SUCCESS ? status : SendChecked(session, state, "*CLS");
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
    ViStatus status = DriverSession::CheckInitArguments(idQuery, reset, session, 3);
    if (status < VI_SUCCESS)
        return status;
    SupplySession state;
    state.model = model;
    ViSession vi = VI_NULL;
    status = DriverSession::Open(resource, &state.resourceManager, &vi);
    if (status < VI_SUCCESS)
        return status;
    status = Prepare(vi, state, idQuery == 1, reset == 1);
    if (status < VI_SUCCESS) {
        DriverSession::Close(vi, state.resourceManager);
        return status;
    }
    AddSession(vi, state);
    *session = vi;
    return status;
}

ViStatus supply_identity(ViSession session, ViChar text[]) {
    const SupplySession* state = FindSession(session);
    if (!state)
        return VI_ERROR_INV_SESSION;
    if (!text)
        return VI_ERROR_PARAMETER2;
    DriverText::CopyText(state->identity, text, SUPPLY_MESSAGE_SIZE);
    return VI_SUCCESS;
}

ViStatus supply_close(ViSession session) {
    const SupplySession* state = FindSession(session);
    if (!state)
        return VI_ERROR_INV_SESSION;
    const ViSession rm = state->resourceManager;
    RemoveSession(session);
    return DriverSession::Close(session, rm);
}

ViStatus supply_dcl(ViSession session) {
    if (!FindSession(session))
        return VI_ERROR_INV_SESSION;
    return viClear(session);
}
