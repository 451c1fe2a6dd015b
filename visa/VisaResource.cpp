#include "visa/VisaResource.h"

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
