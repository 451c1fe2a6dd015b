#pragma once

#include <QRegularExpression>
#include <QString>

// "TCPIP[board]::host::port::SOCKET" (VPP-4.3 resource grammar), the one form the built-in
// backend serves.
struct SocketResource {
    QString host;
    quint16 port = 0;
};

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
