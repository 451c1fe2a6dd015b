#pragma once

#include "Scanner.h"

#include <QObject>

// The station's one document: its only content is the target channel. The main frame closes
// the port before the program ends; the channel closes it too when it goes.
class CRftuneDoc : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    CComm& Comm() { return comm_; }

private:
    CComm comm_;
};
