#pragma once

#include <QRegularExpression>
#include <QString>

// "TCPIP[board]::host::port::SOCKET" (VPP-4.3 resource grammar), the one form the built-in
// backend serves.
struct SocketResource {
    QString host;
    quint16 port = 0;
};

// Where a VXI-11 link goes: a LAN instrument ("inst0") or a device behind a LAN/GPIB gateway
// ("gpib0,14"); core port 0 asks the host's portmapper for it.
struct Vxi11Address {
    QString host;
    quint16 corePort = 0;
    QString device;
};

// True when resource is a VXI-11 instrument, "TCPIP[board]::host[,port][::device][::INSTR]" with
// the device "instN" (the default inst0) or "gpibN,primary[,secondary]"; *address is then
// filled, and *valid tells whether an explicit port is a usable number.
bool ParseVxi11Resource(const QString& resource, Vxi11Address* address, bool* valid);
// The same for a board's gateway, "TCPIP[board]::host[,port]::gpibN::VXI11": the device is the
// gateway's interface name, to which the address is added.
bool ParseVxi11Board(const QString& interfaceText, Vxi11Address* gateway, bool* valid);

// True when resource is "GPIB[board]::primary[::INSTR]"; board is 0 when none is written, as
// VISA has it.
bool ParseGpibAddress(const QString& resource, int* board, int* primary);

// True when resource is of the socket form (case does not matter); *socket is then filled, and
// *valid tells whether the port is a usable number.
bool ParseSocketResource(const QString& resource, SocketResource* socket, bool* valid);

// Whether resource has the form of a VISA resource name (VPP-4.3: GPIB, GPIB-VXI, VXI, ASRL,
// TCPIP, USB and PXI resources, case does not matter); the system library decides whether such a
// resource exists.
bool IsResourceName(const QString& resource);

// A VISA resource expression (VPP-4.3 viFindRsrc: "?" one character, "*" and "+" repeat what
// precedes, "[...]" a set, "|" and "(...)") as an anchored, case-insensitive pattern. Invalid
// when the expression is.
QRegularExpression ResourcePattern(const QString& expression);
