#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// The texts and files of the EEPROM map viewer.

// One byte in the list, "%d -> 0x%x, %c": address, value, and the byte as a character. Only
// printable ASCII shows as itself; any other byte (control codes, 0x7F, 0x80..0xFF, the erased
// 0xFF) shows as '.', as hex dumps show it, so that the list keeps one readable line per byte.
QString EepromMapLine(int address, std::uint8_t value);

// Appends one block, its first byte at firstAddress, to the result file: an empty line, then
// one "%d -> 0x%x, %c" line per byte with CR LF after each, as the viewer has always written
// "Eepresult.txt". The character is the byte itself, whatever it is: other programs read the
// file.
bool AppendResultBlock(const QString& path, int firstAddress, const QByteArray& block,
                       QString* error);

enum class EepromMapFormat {
    Image,   // the bytes, address 0 first
    HexDump, // 16 bytes a line: address, hex values, the bytes as characters
};

// map (the bytes read, by address) in format.
QByteArray EepromMapContents(const QByteArray& map, EepromMapFormat format);

// Writes map in format to path, replacing the file only once it is whole.
bool SaveEepromMap(const QString& path, const QByteArray& map, EepromMapFormat format,
                   QString* error);
