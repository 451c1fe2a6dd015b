#include "visa/VisaErrors.h"

#include "visa/StatusTexts.h"
#include "visa/VisaLog.h"
#include "visa/VisaRegistry.h"

namespace {

const StatusText kStatusTexts[] = {
    {VI_SUCCESS, "VI_SUCCESS: the operation completed"},
    {VI_SUCCESS_TERM_CHAR, "VI_SUCCESS_TERM_CHAR: the read ended at the termination character"},
    {VI_SUCCESS_MAX_CNT, "VI_SUCCESS_MAX_CNT: the read ended after the requested count"},
    {VI_WARN_NULL_OBJECT, "VI_WARN_NULL_OBJECT: the object reference is not set"},
    {VI_ERROR_SYSTEM_ERROR, "VI_ERROR_SYSTEM_ERROR: an unknown system error occurred"},
    {VI_ERROR_RSRC_LOCKED, "VI_ERROR_RSRC_LOCKED: another session holds a lock on the resource"},
    {VI_ERROR_INV_OBJECT, "VI_ERROR_INV_OBJECT: the session or object reference is not valid"},
    {VI_ERROR_INV_EXPR, "VI_ERROR_INV_EXPR: the search expression is not valid"},
    {VI_ERROR_RSRC_NFOUND, "VI_ERROR_RSRC_NFOUND: the resource is not present or cannot be found"},
    {VI_ERROR_INV_RSRC_NAME, "VI_ERROR_INV_RSRC_NAME: the resource name cannot be parsed"},
    {VI_ERROR_INV_ACC_MODE, "VI_ERROR_INV_ACC_MODE: the access mode is not valid"},
    {VI_ERROR_TMO, "VI_ERROR_TMO: the time-out expired before the operation completed"},
    {VI_ERROR_NSUP_ATTR, "VI_ERROR_NSUP_ATTR: the attribute is not supported by this session"},
    {VI_ERROR_NSUP_ATTR_STATE, "VI_ERROR_NSUP_ATTR_STATE: the attribute value is not supported"},
    {VI_ERROR_ATTR_READONLY, "VI_ERROR_ATTR_READONLY: the attribute can only be read"},
    {VI_ERROR_ABORT, "VI_ERROR_ABORT: the operation was aborted"},
    {VI_ERROR_INV_SETUP, "VI_ERROR_INV_SETUP: the set-up of the resource is not valid"},
    {VI_ERROR_ALLOC, "VI_ERROR_ALLOC: not enough resources for the operation"},
    {VI_ERROR_INV_MASK, "VI_ERROR_INV_MASK: the buffer mask is not valid"},
    {VI_ERROR_IO, "VI_ERROR_IO: an unknown I/O error occurred"},
    {VI_ERROR_NLISTENERS, "VI_ERROR_NLISTENERS: no listeners are at the address"},
    {VI_ERROR_NSUP_OPER, "VI_ERROR_NSUP_OPER: the session does not support the operation"},
    {VI_ERROR_USER_BUF, "VI_ERROR_USER_BUF: a buffer argument is missing"},
    {VI_ERROR_LIBRARY_NFOUND, "VI_ERROR_LIBRARY_NFOUND: a library the operation needs is missing"},
    {VI_ERROR_CONN_LOST, "VI_ERROR_CONN_LOST: the connection of the session was lost"},
    {VI_ERROR_MACHINE_NAVAIL,
     "VI_ERROR_MACHINE_NAVAIL: the remote machine does not accept connections"},
};

} // namespace

QString VisaStatusText(ViStatus status) {
    const char* text = FindStatusText(kStatusTexts, status);
    return text ? QString::fromLatin1(text) : QString();
}

QString ResourceLabel(const VisaObject& instrument) {
    if (instrument.target.compare(instrument.resource.trimmed(), Qt::CaseInsensitive) == 0)
        return instrument.resource;
    return QStringLiteral("%1 (as %2)").arg(instrument.resource, instrument.target);
}

ViStatus RecordFailure(VisaObject& object, ViStatus status, const QString& text) {
    object.lastStatus = status;
    object.lastError = text;
    return status;
}

ViStatus Fail(VisaObject& object, ViStatus status, const QString& text) {
    qCWarning(lcVisa).noquote() << text;
    return RecordFailure(object, status, text);
}

ViStatus CheckIo(VisaObject& instrument, ViStatus status) {
    if (status >= VI_SUCCESS)
        return status;
    QString detail = instrument.io->ErrorDetail(status);
    if (detail.isEmpty())
        detail = VisaStatusText(status);
    return Fail(instrument, status, ResourceLabel(instrument) + QStringLiteral(": ") + detail);
}
