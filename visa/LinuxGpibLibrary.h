#pragma once

#include "visa/Visa.h"

#include <QLibrary>
#include <QString>

// The entry points of linux-gpib's libgpib.so.0 (its NI-488 style C API) that the layer uses.
struct LinuxGpibApi {
    int (*ibdev)(int board, int pad, int sad, int timo, int sendEoi, int eos) = nullptr;
    int (*ibwrt)(int ud, const void* data, long count) = nullptr;
    int (*ibrd)(int ud, void* buffer, long count) = nullptr;
    int (*ibclr)(int ud) = nullptr;
    int (*ibrsp)(int ud, char* statusByte) = nullptr;
    int (*ibtmo)(int ud, int timo) = nullptr;
    int (*ibeos)(int ud, int eos) = nullptr;
    int (*ibeot)(int ud, int sendEoi) = nullptr;
    int (*ibonl)(int ud, int online) = nullptr;
    int (*threadIbsta)() = nullptr;
    int (*threadIberr)() = nullptr;
    int (*threadIbcnt)() = nullptr;
};

// ibsta's bits and the iberr codes the layer tells apart.
inline constexpr int kGpibError = 0x8000;
inline constexpr int kGpibEnd = 0x2000;
inline constexpr int kGpibEdvr = 0; // the board is not configured or its driver is missing
inline constexpr int kGpibEcic = 1; // the board is not the controller in charge
inline constexpr int kGpibEnol = 2; // nobody listens at the address
inline constexpr int kGpibEabo = 6; // the I/O timed out

// linux-gpib is GPL: it is loaded at run time, never linked, so the station builds and runs
// without it. The library is the one RFTUNE_GPIB_LIBRARY names, or libgpib.so.0.
class LinuxGpibLibrary {
public:
    static LinuxGpibLibrary& Instance();

    // The entry points, loaded once per library path; null with *detail saying which library is
    // missing and how to get it (the log says it once).
    const LinuxGpibApi* Load(QString* detail);

private:
    // Empty, or why path cannot serve.
    QString TryLoad(const QString& path);

    QLibrary library_;
    LinuxGpibApi api_;
    bool loaded_ = false;
    QString path_;
    QString failure_;
};

// The T-code of ibtmo for a VISA time-out: the first that waits at least as long.
int GpibTimeoutCode(ViUInt32 timeoutMs);
