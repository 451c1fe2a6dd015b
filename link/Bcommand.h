#pragma once

#include <cstdint>
#include <string_view>

// Command encoder: turns a command line such as "se 6" into command bytes (opcode, arguments,
// XOR checksum), stuffs them behind the lead byte into a shared frame store and remembers the
// last opcode for reply matching. The state is shared by everything on one thread (all windows
// share the user-interface thread's); each thread has its own, one encode and fetch at a time.
//
// Limits: a line may be of any length; a token longer than kTokenMaxChars keeps its first
// kTokenMaxChars characters and list entries after the first kListMaxEntries are ignored, so no
// line can overrun the command buffer or the frame store.

enum EncodeResult : int {
    ENCODE_UNKNOWN = 0,  // empty line or mnemonic not known
    ENCODE_COMMENT = 1,  // the line starts with '/'
    ENCODE_ACCEPTED = 2, // command bytes built (possibly none)
};

inline constexpr int kCommandBufferSize = 50; // EncodeCommand's output buffer
inline constexpr int kFrameStoreSize = 100;   // stuffed frame body, lead byte included
inline constexpr int kTokenMaxChars = 9;
inline constexpr int kListMaxEntries = 40;

// Copies the text into the shared line buffer and encodes it; the result is dropped.
void EncodeText(std::string_view text);

// Encodes one line; on ENCODE_ACCEPTED the stuffed body (at least the lead byte) replaces the
// frame store, otherwise the store is left as it was. The line ends at its first NUL character.
int EncodeLine(std::string_view line);

// Builds the command bytes of a line into out (kCommandBufferSize bytes) and their number into
// length (0 for accepted lines that send nothing); returns an EncodeResult.
int EncodeCommand(std::uint8_t* out, std::string_view line, int& length);

// Writes the lead byte, then the n bytes with a DLE before each 0x02 or 0x10; dest must hold
// 1 + 2n bytes. Returns the body length.
int StuffFrame(std::uint8_t* dest, const std::uint8_t* bytes, int n);

// Copies the stored body into dest (kFrameStoreSize bytes), empties the store and returns the
// body length; 0 when nothing was encoded since the last fetch.
int FetchFrame(std::uint8_t* dest);

std::uint8_t GetLastOpcode();

// Number parsers never reject text. Each character weighs base^(places to its right) mod 65536.
// ParseDecByte: digits and a-f/A-F count, 'x' resets the sum, result mod 256 ("0x1f" is 25).
std::uint8_t ParseDecByte(std::string_view text);
// ParseDecWord: digits and a-f/A-F count; after a '-' every character counts as its code minus
// '0' and is subtracted. Exact from -65535 to 65535.
std::int32_t ParseDecWord(std::string_view text);
// ParseHexByte: base 16, 'x' or 'X' resets the sum, result mod 256 ("0x1f" and "1F" are 31).
std::uint8_t ParseHexByte(std::string_view text);

// Writes two upper-case hex characters, high nibble first; no terminator.
void ByteToHexChars(char* dest, std::uint8_t b);
