#include "link/LinkLog.h"

Q_LOGGING_CATEGORY(lcLink, "rftune.link", QtWarningMsg)
Q_LOGGING_CATEGORY(lcLinkTrace, "rftune.link.trace", QtWarningMsg)
Q_LOGGING_CATEGORY(lcScanner, "rftune.link.scanner", QtWarningMsg)

QString HexBytes(const unsigned char* bytes, int n) {
    QString text;
    text.reserve(n * 3);
    for (int i = 0; i < n; ++i) {
        if (i > 0)
            text += QLatin1Char(' ');
        text += QString::asprintf("%02X", bytes[i]);
    }
    return text;
}
