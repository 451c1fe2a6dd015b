#pragma once

#include "visa/Visa.h"

#include <QString>

struct VisaObject;

// The standard meaning of a status, with its VISA name ("VI_ERROR_TMO: ..."); empty for a status
// the layer does not know.
QString VisaStatusText(ViStatus status);

// "GPIB0::4", or "GPIB0::4 (as TCPIP0::127.0.0.1::5025::SOCKET)" when an alias took it elsewhere.
QString ResourceLabel(const VisaObject& instrument);

// Keeps text as the object's last failure for viStatusDesc and returns status.
ViStatus RecordFailure(VisaObject& object, ViStatus status, const QString& text);
// The same, and tells the rftune.visa log.
ViStatus Fail(VisaObject& object, ViStatus status, const QString& text);
// For an instrument's I/O: a failure is recorded with the resource and the backend's detail.
ViStatus CheckIo(VisaObject& instrument, ViStatus status);
