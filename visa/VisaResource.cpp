#include "visa/VisaResource.h"

namespace {

// A host name, an IPv4 address or a bracketed IPv6 one, and an optional ",port".
const QString kHost = QStringLiteral("(\\[[^\\]]+\\]|[^:,\\[]+)(?:,([^:]*))?");

bool ReadVxi11(const QRegularExpressionMatch& match, Vxi11Address* address, bool* valid) {
    if (!match.hasMatch())
        return false;
    address->host = match.captured(1);
    if (address->host.startsWith(QLatin1Char('[')))
        address->host = address->host.mid(1, address->host.size() - 2);
    const uint port = match.captured(2).toUInt(valid);
    *valid = !match.hasCaptured(2) || (*valid && port > 0 && port <= 65535);
    address->corePort = static_cast<quint16>(*valid ? port : 0);
    address->device = match.captured(3);
    return true;
}

} // namespace

bool ParseVxi11Resource(const QString& resource, Vxi11Address* address, bool* valid) {
    static const QRegularExpression form(
        QStringLiteral("^TCPIP\\d*::%1(?:::(inst\\d+|gpib\\d+,\\d+(?:,\\d+)?))?(?:::INSTR)?$")
            .arg(kHost),
        QRegularExpression::CaseInsensitiveOption);
    if (!ReadVxi11(form.match(resource.trimmed()), address, valid))
        return false;
    if (address->device.isEmpty())
        address->device = QStringLiteral("inst0");
    return true;
}

bool ParseVxi11Board(const QString& interfaceText, Vxi11Address* gateway, bool* valid) {
    static const QRegularExpression form(
        QStringLiteral("^TCPIP\\d*::%1::(gpib\\d+)::VXI11$").arg(kHost),
        QRegularExpression::CaseInsensitiveOption);
    return ReadVxi11(form.match(interfaceText.trimmed()), gateway, valid);
}

bool ParseGpibAddress(const QString& resource, int* board, int* primary) {
    static const QRegularExpression form(QStringLiteral("^GPIB(\\d*)::(\\d+)(?:::INSTR)?$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(resource.trimmed());
    if (!match.hasMatch())
        return false;
    *board = match.captured(1).toInt();
    *primary = match.captured(2).toInt();
    return true;
}

bool ParseSocketResource(const QString& resource, SocketResource* socket, bool* valid) {
    static const QRegularExpression form(QStringLiteral("^TCPIP\\d*::([^:]+)::([^:]*)::SOCKET$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(resource.trimmed());
    if (!match.hasMatch())
        return false;
    bool isNumber = false;
    const uint port = match.captured(2).toUInt(&isNumber);
    *valid = isNumber && port > 0 && port <= 65535;
    socket->host = match.captured(1);
    socket->port = static_cast<quint16>(*valid ? port : 0);
    return true;
}

bool IsResourceName(const QString& resource) {
    static const QRegularExpression forms(
        QStringLiteral("^(?:"
                       "GPIB\\d*::\\d+(?:::\\d+)?(?:::INSTR)?"
                       "|GPIB\\d*::(?:INTFC|SERVANT)"
                       "|(?:GPIB-VXI|VXI)\\d*(?:::\\d+)?(?:::(?:INSTR|MEMACC|BACKPLANE|SERVANT))?"
                       "|ASRL\\d*(?:::INSTR)?"
                       "|TCPIP\\d*::(?:\\[[^\\]]+\\]|[^:]+)(?:::[^:]+)?(?:::(?:INSTR|SOCKET))?"
                       "|USB\\d*::[^:]+::[^:]+::[^:]+(?:::\\d+)?(?:::(?:INSTR|RAW))?"
                       "|PXI\\d*::[^:]+(?:::[^:]+)*"
                       ")$"),
        QRegularExpression::CaseInsensitiveOption);
    return forms.match(resource.trimmed()).hasMatch();
}

QRegularExpression ResourcePattern(const QString& expression) {
    QString pattern = QStringLiteral("^(?:");
    bool inSet = false;
    for (qsizetype i = 0; i < expression.size(); ++i) {
        const QChar c = expression.at(i);
        if (c == QLatin1Char('\\') && i + 1 < expression.size()) {
            pattern += QRegularExpression::escape(expression.mid(++i, 1));
        } else if (inSet) {
            inSet = c != QLatin1Char(']');
            pattern += c;
        } else if (c == QLatin1Char('?')) {
            pattern += QLatin1Char('.');
        } else if (QStringLiteral("*+|()[").contains(c)) {
            inSet = c == QLatin1Char('[');
            pattern += c;
        } else {
            pattern += QRegularExpression::escape(QString(c));
        }
    }
    pattern += QStringLiteral(")$");
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption);
}
