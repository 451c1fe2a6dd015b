#pragma once

#include <QLoggingCategory>

// rftune.link: channel events; rftune.link.trace: every packet and frame in hex (off by default);
// rftune.link.scanner: the scanner's "T: " request trace.
Q_DECLARE_LOGGING_CATEGORY(lcLink)
Q_DECLARE_LOGGING_CATEGORY(lcLinkTrace)
Q_DECLARE_LOGGING_CATEGORY(lcScanner)

// "02 14 54 06 00 52 02": the hex form used by traces and by rftune-cmd.
QString HexBytes(const unsigned char* bytes, int n);
