#pragma once

#include "visa/InstrumentIo.h"

#include <QLibrary>
#include <QStringList>

#include <memory>

// The entry points of a system VISA library (a vendor's, for GPIB through its own stack).
struct SystemVisaApi {
    decltype(&viOpenDefaultRM) openDefaultRM = nullptr;
    decltype(&viFindRsrc) findRsrc = nullptr;
    decltype(&viFindNext) findNext = nullptr;
    decltype(&viOpen) open = nullptr;
    decltype(&viClose) close = nullptr;
    decltype(&viSetAttribute) setAttribute = nullptr;
    decltype(&viGetAttribute) getAttribute = nullptr;
    decltype(&viRead) read = nullptr;
    decltype(&viWrite) write = nullptr;
    decltype(&viClear) clear = nullptr;
    decltype(&viSetBuf) setBuf = nullptr;
    decltype(&viStatusDesc) statusDesc = nullptr; // optional
    decltype(&viReadSTB) readStb = nullptr;       // optional
};

// Loads the system library at run time: the configured path, or else the names the usual
// vendor installations use. Nothing is linked at build time, so a station without a vendor
// stack still runs on the built-in socket backend.
class SystemVisa {
public:
    static SystemVisa& Instance();

    // Loads the library for path (empty: the usual names) unless it is the one already loaded.
    // Returns the entry points, or null when no library could be loaded.
    const SystemVisaApi* Load(const QString& path);
    const SystemVisaApi* Api() const { return loaded_ ? &api_ : nullptr; }
    // "none loaded (tried ...)" or the library's file name, for error texts.
    QString Description() const;

private:
    bool TryLoad(const QString& name);

    QLibrary library_;
    SystemVisaApi api_;
    bool loaded_ = false;
    QString requestedPath_;
    QStringList tried_;
};

// A session opened through the system library; every call is forwarded to it.
class SystemIo : public InstrumentIo {
public:
    SystemIo(const SystemVisaApi& api, ViSession vendorSession)
        : api_(api), session_(vendorSession) {}
    ~SystemIo() override;
    SystemIo(const SystemIo&) = delete;
    SystemIo& operator=(const SystemIo&) = delete;

    ViStatus Write(ViConstBuf data, ViUInt32 count, ViUInt32* written) override;
    ViStatus Read(ViPBuf buffer, ViUInt32 count, ViUInt32* got) override;
    ViStatus Clear() override;
    ViStatus ReadStatusByte(ViUInt16* statusByte) override;
    ViStatus SetAttribute(ViAttr attribute, ViAttrState value) override;
    ViStatus GetAttribute(ViAttr attribute, void* value) override;
    ViStatus SetBuffer(ViUInt16 mask, ViUInt32 size) override;
    QString ErrorDetail(ViStatus status) const override;

private:
    const SystemVisaApi& api_;
    ViSession session_;
};

// The library's own description of status for one of its objects; empty when it has none.
QString SystemStatusText(const SystemVisaApi& api, ViObject object, ViStatus status);
