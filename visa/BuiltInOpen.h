#pragma once

#include "visa/InstrumentIo.h"

#include <memory>

// Opens address primaryAddress of a GPIB board whose mapping is interfaceText, as the user wrote
// it ("TCPIP0::gw::gpib0::VXI11"); null with *status and *detail set when it cannot.
using BoardOpener = std::unique_ptr<InstrumentIo> (*)(const QString& interfaceText,
                                                      int primaryAddress, ViStatus* status,
                                                      QString* detail);

// The opener of the backend that serves a board's interface text, by its form; null for a form
// no backend serves.
BoardOpener FindBoardOpener(const QString& interfaceText);

// Opens target on a built-in backend: a raw socket, a VXI-11 instrument or gateway device, or an
// address of a mapped GPIB board. *served is false when none of them serves the target, which
// is then the system library's.
std::unique_ptr<InstrumentIo> OpenBuiltIn(const QString& target, ViAccessMode mode, bool* served,
                                          ViStatus* status, QString* detail);
