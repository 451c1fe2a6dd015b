#pragma once

#include "visa/IoAttributes.h"
#include "visa/Visa.h"

#include <QDeadlineTimer>
#include <QString>

class QTcpSocket;

// Connects socket to host:port within timeoutMs; false with *status and *detail set, in words,
// when the host cannot be found, refuses the connection or does not accept it in time.
bool ConnectTcp(QTcpSocket& socket, const QString& host, quint16 port, int timeoutMs,
                ViStatus* status, QString* detail);

// What Qt's waits take: the milliseconds left, -1 for ever.
int RemainingMs(const QDeadlineTimer& deadline);
