#pragma once

#include "link/TargetSession.h"
#include "sessions/EepromMapFiles.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// The EEPROM map viewer without its window. READ walks the target's EEPROM in blocks of 64
// bytes, "spw 55 " and the address, then "str 55", listing every byte at its address and
// appending each block to "Eepresult.txt" in the current directory, until the address reaches
// 2560 ("reading End"). A missing reply stops the walk ("serial comm error"); READ goes on from
// where it stopped. With the port closed READ does nothing.
class EepromMapSession : public QObject {
    Q_OBJECT
public:
    static constexpr int kReplyTimeoutMs = 3000;
    static constexpr int kBlockBytes = 64;
    static constexpr int kEndAddress = 2560; // 40 blocks
    static constexpr const char* kResultFile = "Eepresult.txt";

    explicit EepromMapSession(CComm& comm, QObject* parent = nullptr);

    TargetSession& Target() { return target_; }
    TargetLink& Link() { return target_.Link(); }

    void Read();
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

private:
    void RequestBlock();
    void OnReply(const TargetReply& reply);
    void OnBlock(const QByteArray& data);
    void ListBlock(const QByteArray& data);
    void OnTimeout();

    TargetSession target_;
    QByteArray map_;
    int requestedAddress_ = 0; // of the block the target was last asked for
    bool resultFileFailed_ = false;
};
