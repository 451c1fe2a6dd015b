#pragma once

#include "link/TargetSession.h"
#include "sessions/EepromMapFiles.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// How a walk over the EEPROM ended; its view tells the operator.
enum class EepromWalkEnd {
    Complete, // the address reached 2560: "reading End"
    NoReply,  // a reply did not come in time: "serial comm error"
    BadBlock, // a block of another size came; the session has said so
};

// The EEPROM map viewer without its window. READ walks the target's EEPROM in blocks of 64
// bytes, "spw 55 " and the address, then "str 55", listing every byte at its address and
// appending each block to "Eepresult.txt" in the current directory, until the address reaches
// 2560. A missing reply stops the walk; READ goes on from where it stopped. With the port closed
// READ does nothing.
class EepromMapSession : public QObject {
    Q_OBJECT
public:
    static constexpr int kReplyTimeoutMs = 3000;
    static constexpr int kBlockBytes = 64;
    static constexpr int kEndAddress = 2560; // 40 blocks
    static constexpr const char* kResultFile = "Eepresult.txt";
    static constexpr const char* kReadingEndText = "reading End";
    static constexpr const char* kSerialCommErrorText = "serial comm error";

    explicit EepromMapSession(CComm& comm, QObject* parent = nullptr);

    TargetSession& Target() { return target_; }
    TargetLink& Link() { return target_.Link(); }
    // Where "Eepresult.txt" is appended; empty, the default, is the current directory.
    void SetResultDirectory(const QString& directory) { resultDirectory_ = directory; }

    // False when nothing could be sent: the port is closed.
    bool Read();
    // Empties the map; the walk, if one is going on, goes on from address 0.
    void Clear();

    // The address of the next byte to list: the number of bytes listed.
    int ReadAddress() const { return static_cast<int>(map_.size()); }
    // Every byte listed, by address.
    const QByteArray& Map() const { return map_; }
    bool Save(const QString& path, EepromMapFormat format, QString* error) const;

signals:
    void byteListed(int address, const QString& text);
    void cleared();
    // The walk stopped, at ReadAddress().
    void walkEnded(EepromWalkEnd end);

private:
    bool RequestBlock();
    void OnReply(const TargetReply& reply);
    void OnBlock(const QByteArray& data);
    void ListBlock(const QByteArray& data);
    void OnTimeout();

    TargetSession target_;
    QString resultDirectory_;
    QByteArray map_;
    int requestedAddress_ = 0; // of the block the target was last asked for
    bool resultFileFailed_ = false;
};
