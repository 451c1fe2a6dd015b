// Resource managers, sessions and resource searches of the VISA layer.
#include "visa/BuiltInOpen.h"
#include "visa/SystemVisa.h"
#include "visa/Visa.h"
#include "visa/VisaConfig.h"
#include "visa/VisaErrors.h"
#include "visa/VisaLog.h"
#include "visa/VisaRegistry.h"
#include "visa/VisaResource.h"

#include <cstring>

namespace {

VisaRegistry& Registry() {
    return VisaRegistry::Instance();
}

void CopyName(const QString& name, ViChar desc[]) {
    const QByteArray bytes = name.toLatin1().left(VI_FIND_BUFLEN - 1);
    std::memcpy(desc, bytes.constData(), static_cast<size_t>(bytes.size()));
    desc[bytes.size()] = '\0';
}

ViStatus OpenVendorRm(VisaObject& rm, const SystemVisaApi& api) {
    if (rm.vendorRm != VI_NULL)
        return VI_SUCCESS;
    const ViStatus status = api.openDefaultRM(&rm.vendorRm);
    if (status < VI_SUCCESS)
        rm.vendorRm = VI_NULL;
    return status;
}

std::unique_ptr<InstrumentIo> OpenThroughSystem(VisaObject& rm, const QString& target,
                                                ViAccessMode mode, ViUInt32 timeout,
                                                ViStatus* status, QString* detail) {
    const SystemVisaApi* api = SystemVisa::Instance().Api();
    // A system library knows aliases of its own; without one a name of no known form is a typo,
    // not a missing library.
    if (!api && !IsResourceName(target)) {
        *status = VI_ERROR_INV_RSRC_NAME;
        *detail = QStringLiteral("bad resource name (resources are written like GPIB0::4::INSTR "
                                 "or TCPIP0::host::5025::SOCKET)");
        return nullptr;
    }
    if (!api) {
        *status = VI_ERROR_RSRC_NFOUND;
        *detail = SystemVisa::Instance().Description() +
                  QStringLiteral(" to reach it; map its board to a gateway with --visa-board or "
                                 "it to a socket resource with --visa-alias");
        return nullptr;
    }
    ViSession session = VI_NULL;
    *status = OpenVendorRm(rm, *api);
    if (*status >= VI_SUCCESS)
        *status = api->open(rm.vendorRm, target.toLatin1().constData(), mode, timeout, &session);
    if (*status < VI_SUCCESS) {
        *detail = SystemStatusText(*api, rm.vendorRm, *status);
        if (detail->isEmpty())
            *detail = VisaStatusText(*status);
        return nullptr;
    }
    return std::make_unique<SystemIo>(*api, session);
}

QStringList VendorFind(VisaObject& rm, const char* expression) {
    const SystemVisaApi* api = SystemVisa::Instance().Api();
    if (!api || OpenVendorRm(rm, *api) < VI_SUCCESS)
        return {};
    ViFindList list = VI_NULL;
    ViUInt32 count = 0;
    ViChar name[VI_FIND_BUFLEN] = {};
    if (api->findRsrc(rm.vendorRm, expression, &list, &count, name) < VI_SUCCESS)
        return {};
    QStringList names{QString::fromLatin1(name)};
    for (ViUInt32 i = 1; i < count && api->findNext(list, name) >= VI_SUCCESS; ++i)
        names.append(QString::fromLatin1(name));
    api->close(list);
    return names;
}

QStringList Matching(VisaObject& rm, const QRegularExpression& pattern, const char* expression) {
    QStringList names;
    for (const QString& alias : VisaConfig::Instance().AliasNames()) {
        if (pattern.match(alias).hasMatch())
            names.append(alias);
    }
    for (const QString& name : VendorFind(rm, expression)) {
        if (!names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

void CloseResourceManager(VisaObject& rm, ViSession handle) {
    for (ViObject owned : Registry().OwnedBy(handle))
        Registry().Take(owned);
    const SystemVisaApi* api = SystemVisa::Instance().Api();
    if (api && rm.vendorRm != VI_NULL)
        api->close(rm.vendorRm);
}

} // namespace

extern "C" {

ViStatus viOpenDefaultRM(ViPSession vi) {
    if (!vi)
        return VI_ERROR_USER_BUF;
    // The library is chosen afresh only while no session can be using the previous one.
    if (Registry().Count(VisaKind::ResourceManager) == 0)
        SystemVisa::Instance().Load(VisaConfig::Instance().LibraryPath());
    *vi = Registry().Add(std::make_unique<VisaObject>(VisaKind::ResourceManager));
    return VI_SUCCESS;
}

ViStatus viOpen(ViSession sesn, ViConstRsrc name, ViAccessMode mode, ViUInt32 timeout,
                ViPSession vi) {
    if (vi)
        *vi = VI_NULL;
    VisaObject* rm = Registry().Find(sesn, VisaKind::ResourceManager);
    if (!rm)
        return VI_ERROR_INV_OBJECT;
    if (!name || !vi)
        return Fail(*rm, VI_ERROR_USER_BUF, QStringLiteral("viOpen needs a name and a session"));
    auto instrument = std::make_unique<VisaObject>(VisaKind::Instrument);
    instrument->owner = sesn;
    instrument->resource = QString::fromLatin1(name);
    instrument->target = VisaConfig::Instance().Resolve(instrument->resource);
    ViStatus status = VI_SUCCESS;
    QString detail;
    bool served = false;
    instrument->io = OpenBuiltIn(instrument->target, mode, &served, &status, &detail);
    if (!served)
        instrument->io =
            OpenThroughSystem(*rm, instrument->target, mode, timeout, &status, &detail);
    if (!instrument->io)
        return Fail(*rm, status, ResourceLabel(*instrument) + QStringLiteral(": ") + detail);
    qCDebug(lcVisa).noquote() << "opened" << ResourceLabel(*instrument);
    *vi = Registry().Add(std::move(instrument));
    return status;
}

ViStatus viClose(ViObject vi) {
    if (vi == VI_NULL)
        return VI_WARN_NULL_OBJECT;
    VisaObject* object = Registry().Find(vi);
    if (!object)
        return VI_ERROR_INV_OBJECT;
    if (object->kind == VisaKind::ResourceManager)
        CloseResourceManager(*object, vi);
    else if (object->kind == VisaKind::Instrument)
        qCDebug(lcVisa).noquote() << "closed" << ResourceLabel(*object);
    Registry().Take(vi);
    return VI_SUCCESS;
}

ViStatus viFindRsrc(ViSession sesn, ViConstString expr, ViPFindList vi, ViPUInt32 retCnt,
                    ViChar desc[]) {
    if (vi)
        *vi = VI_NULL;
    if (retCnt)
        *retCnt = 0;
    VisaObject* rm = Registry().Find(sesn, VisaKind::ResourceManager);
    if (!rm)
        return VI_ERROR_INV_OBJECT;
    if (!expr || !desc)
        return Fail(*rm, VI_ERROR_USER_BUF, QStringLiteral("viFindRsrc needs an expression"));
    const QRegularExpression pattern = ResourcePattern(QString::fromLatin1(expr));
    if (!pattern.isValid())
        return Fail(*rm, VI_ERROR_INV_EXPR,
                    QStringLiteral("\"%1\" is not a resource expression").arg(expr));
    QStringList names = Matching(*rm, pattern, expr);
    if (names.isEmpty())
        return RecordFailure(*rm, VI_ERROR_RSRC_NFOUND,
                             QStringLiteral("no resource matches \"%1\"").arg(expr));
    CopyName(names.takeFirst(), desc);
    if (retCnt)
        *retCnt = static_cast<ViUInt32>(names.size() + 1);
    if (vi) {
        auto list = std::make_unique<VisaObject>(VisaKind::FindList);
        list->owner = sesn;
        list->found = names;
        *vi = Registry().Add(std::move(list));
    }
    return VI_SUCCESS;
}

ViStatus viFindNext(ViFindList vi, ViChar desc[]) {
    VisaObject* list = Registry().Find(vi, VisaKind::FindList);
    if (!list)
        return VI_ERROR_INV_OBJECT;
    if (!desc)
        return VI_ERROR_USER_BUF;
    if (list->found.isEmpty())
        return VI_ERROR_RSRC_NFOUND;
    CopyName(list->found.takeFirst(), desc);
    return VI_SUCCESS;
}

} // extern "C"
