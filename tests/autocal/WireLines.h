#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Turns the packets the station wrote back into the command lines it encoded, for the lines a
// calibration sends: a packet is recognised by encoding the candidate lines with the station's own
// encoder. Build it before the station sends on the same thread: encoding moves the thread's last
// opcode, which the reply matching reads.
class WireLines {
public:
    WireLines();

    // A line that only a test knows (the clock line, say).
    void Add(const QString& line);
    // The line of a packet; "? " and the packet in hex when it is none of the known lines.
    QString LineOf(const QByteArray& packet) const;
    QStringList LinesOf(const QList<QByteArray>& packets) const;

    // The packet the station writes for line: STX, the stuffed body, STX.
    static QByteArray Packet(const QString& line);

private:
    // A head whose number is the last 16-bit argument, low byte first: "txpw 4 " + DAC.
    struct Numbered {
        QString head;
        QByteArray prefix; // unstuffed, up to the number
        bool isSigned;
    };
    void AddNumbered(const QString& head, bool isSigned = false);

    QHash<QByteArray, QString> lines_;
    QList<Numbered> numbered_;
};
