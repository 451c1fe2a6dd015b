#include "visa/SystemVisa.h"

#include "visa/VisaLog.h"

namespace {

// NI-VISA, Keysight IO Libraries (also as libiovisa) and R&S VISA install these.
const char* const kUsualNames[] = {"visa", "libvisa.so.7", "/opt/keysight/iolibs/libktvisa32.so",
                                   "iovisa", "rsvisa"};

template <typename Function> bool Resolve(QLibrary& library, const char* name, Function* function) {
    *function = reinterpret_cast<Function>(library.resolve(name));
    return *function != nullptr;
}

} // namespace

SystemVisa& SystemVisa::Instance() {
    static SystemVisa visa;
    return visa;
}

const SystemVisaApi* SystemVisa::Load(const QString& path) {
    if (loaded_ && path == requestedPath_)
        return &api_;
    loaded_ = false;
    requestedPath_ = path;
    tried_.clear();
    if (!path.isEmpty()) {
        if (!TryLoad(path))
            qCWarning(lcVisa).noquote()
                << "the VISA library" << path << "cannot be used:" << library_.errorString();
        return Api();
    }
    for (const char* name : kUsualNames) {
        if (TryLoad(QLatin1String(name)))
            return &api_;
    }
    qCDebug(lcVisa).noquote() << "no system VISA library; tried"
                              << tried_.join(QLatin1String(", "));
    return nullptr;
}

bool SystemVisa::TryLoad(const QString& name) {
    tried_.append(name);
    library_.setFileName(name);
    if (!library_.load())
        return false;
    SystemVisaApi api;
    const bool complete =
        Resolve(library_, "viOpenDefaultRM", &api.openDefaultRM) &&
        Resolve(library_, "viFindRsrc", &api.findRsrc) &&
        Resolve(library_, "viFindNext", &api.findNext) && Resolve(library_, "viOpen", &api.open) &&
        Resolve(library_, "viClose", &api.close) &&
        Resolve(library_, "viSetAttribute", &api.setAttribute) &&
        Resolve(library_, "viGetAttribute", &api.getAttribute) &&
        Resolve(library_, "viRead", &api.read) && Resolve(library_, "viWrite", &api.write) &&
        Resolve(library_, "viClear", &api.clear) && Resolve(library_, "viSetBuf", &api.setBuf);
    if (!complete)
        return false;
    Resolve(library_, "viStatusDesc", &api.statusDesc);
    Resolve(library_, "viReadSTB", &api.readStb);
    api_ = api;
    loaded_ = true;
    qCInfo(lcVisa).noquote() << "system VISA library" << library_.fileName();
    return true;
}

QString SystemVisa::Description() const {
    if (loaded_)
        return QStringLiteral("the VISA library %1").arg(library_.fileName());
    return QStringLiteral("no VISA library is loaded (tried %1)")
        .arg(tried_.isEmpty() ? QStringLiteral("none") : tried_.join(QLatin1String(", ")));
}

SystemIo::~SystemIo() {
    api_.close(session_);
}

ViStatus SystemIo::Write(ViConstBuf data, ViUInt32 count, ViUInt32* written) {
    return api_.write(session_, data, count, written);
}

ViStatus SystemIo::Read(ViPBuf buffer, ViUInt32 count, ViUInt32* got) {
    return api_.read(session_, buffer, count, got);
}

ViStatus SystemIo::Clear() {
    return api_.clear(session_);
}

ViStatus SystemIo::ReadStatusByte(ViUInt16* statusByte) {
    return api_.readStb ? api_.readStb(session_, statusByte) : VI_ERROR_NSUP_OPER;
}

ViStatus SystemIo::SetAttribute(ViAttr attribute, ViAttrState value) {
    return api_.setAttribute(session_, attribute, value);
}

ViStatus SystemIo::GetAttribute(ViAttr attribute, void* value) {
    return api_.getAttribute(session_, attribute, value);
}

ViStatus SystemIo::SetBuffer(ViUInt16 mask, ViUInt32 size) {
    return api_.setBuf(session_, mask, size);
}

QString SystemIo::ErrorDetail(ViStatus status) const {
    return SystemStatusText(api_, session_, status);
}

QString SystemStatusText(const SystemVisaApi& api, ViObject object, ViStatus status) {
    if (!api.statusDesc)
        return {};
    ViChar text[VI_FIND_BUFLEN] = {};
    api.statusDesc(object, status, text);
    text[VI_FIND_BUFLEN - 1] = '\0';
    return QString::fromLocal8Bit(text);
}
