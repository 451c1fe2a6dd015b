#include "visa/LinuxGpibLibrary.h"

#include "visa/VisaLog.h"

#include <array>

namespace {

constexpr const char* kDefaultLibrary = "libgpib.so.0";

template <typename Function> bool Resolve(QLibrary& library, const char* name, Function* function) {
    *function = reinterpret_cast<Function>(library.resolve(name));
    return *function != nullptr;
}

} // namespace

LinuxGpibLibrary& LinuxGpibLibrary::Instance() {
    static LinuxGpibLibrary library;
    return library;
}

const LinuxGpibApi* LinuxGpibLibrary::Load(QString* detail) {
    QString path = qEnvironmentVariable("RFTUNE_GPIB_LIBRARY");
    if (path.isEmpty())
        path = QLatin1String(kDefaultLibrary);
    if (path != path_) {
        path_ = path;
        const QString reason = TryLoad(path);
        loaded_ = reason.isEmpty();
        failure_.clear();
        if (!loaded_) {
            failure_ = QStringLiteral("the linux-gpib library %1 cannot be loaded (%2): build and "
                                      "install linux-gpib (its kernel module and libgpib) and set "
                                      "up the board in /etc/gpib.conf, or name the library in "
                                      "RFTUNE_GPIB_LIBRARY")
                           .arg(path, reason);
            qCWarning(lcVisa).noquote() << failure_;
        }
    }
    if (!loaded_)
        *detail = failure_;
    return loaded_ ? &api_ : nullptr;
}

QString LinuxGpibLibrary::TryLoad(const QString& path) {
    library_.unload();
    library_.setFileName(path);
    if (!library_.load())
        return library_.errorString();
    LinuxGpibApi api;
    const bool complete =
        Resolve(library_, "ibdev", &api.ibdev) && Resolve(library_, "ibwrt", &api.ibwrt) &&
        Resolve(library_, "ibrd", &api.ibrd) && Resolve(library_, "ibclr", &api.ibclr) &&
        Resolve(library_, "ibrsp", &api.ibrsp) && Resolve(library_, "ibtmo", &api.ibtmo) &&
        Resolve(library_, "ibeos", &api.ibeos) && Resolve(library_, "ibeot", &api.ibeot) &&
        Resolve(library_, "ibonl", &api.ibonl) &&
        Resolve(library_, "ThreadIbsta", &api.threadIbsta) &&
        Resolve(library_, "ThreadIberr", &api.threadIberr) &&
        Resolve(library_, "ThreadIbcnt", &api.threadIbcnt);
    if (!complete)
        return QStringLiteral("it lacks the GPIB calls");
    api_ = api;
    qCInfo(lcVisa).noquote() << "linux-gpib library" << library_.fileName();
    return {};
}

int GpibTimeoutCode(ViUInt32 timeoutMs) {
    if (timeoutMs == VI_TMO_INFINITE)
        return 0; // TNONE
    // T10us (1) to T1000s (17), in microseconds.
    constexpr std::array<quint64, 17> kCodeMicroseconds = {
        10,     30,      100,     300,      1000,     3000,      10000,     30000,     100000,
        300000, 1000000, 3000000, 10000000, 30000000, 100000000, 300000000, 1000000000};
    const quint64 wanted = quint64{timeoutMs} * 1000;
    for (std::size_t code = 0; code < kCodeMicroseconds.size(); ++code) {
        if (kCodeMicroseconds[code] >= wanted)
            return static_cast<int>(code) + 1;
    }
    return static_cast<int>(kCodeMicroseconds.size());
}
