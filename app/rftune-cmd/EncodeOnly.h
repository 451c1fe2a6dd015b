#pragma once

#include <QStringList>
#include <QTextStream>

// rftune-cmd --encode: for each line, the encoder's result code and the packet exactly as the
// manual command window would put it on the wire.
void PrintEncodedPackets(const QStringList& lines, QTextStream& out);
