#include "app/rftune-cmd/EncodeOnly.h"

#include "link/Bcommand.h"
#include "link/FrameCodec.h"
#include "link/LinkLog.h"

void PrintEncodedPackets(const QStringList& lines, QTextStream& out) {
    for (const QString& line : lines) {
        const QByteArray text = line.toUtf8();
        const int result =
            EncodeLine(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
        std::uint8_t packet[kFrameStoreSize + 2];
        // A refused line leaves the store empty, and the window then sends STX STX.
        const int bodyLength = FetchFrame(packet + 1);
        packet[0] = STX;
        packet[bodyLength + 1] = STX;
        out << line << " -> " << result << ": " << HexBytes(packet, bodyLength + 2) << '\n';
    }
    out.flush();
}
