#include "link/Bcommand.h"

#include "link/FrameCodec.h"
#include "link/ReplyOpcodes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr auto kTokenChars = static_cast<std::size_t>(kTokenMaxChars);
constexpr auto kListEntries = static_cast<std::size_t>(kListMaxEntries);
constexpr std::size_t kParameterSetWords = 5; // rftw: the set that rftr reads back
constexpr std::size_t kRampSteps = 32;        // ttw: one ramp template
constexpr int kTestCodeRepeats = 9;           // "11": the opcode and nine more 0x01 bytes
static_assert(kRampSteps <= kListEntries && kParameterSetWords <= kListEntries);

// Argument fields after the opcode, in wire order; a = first argument, b = first list entry.
enum class Field : std::uint8_t {
    kEnd,
    kA8,       // a as a decimal byte
    kA16,      // a as a word, low byte first
    kA32,      // a as a double word, least significant byte first
    kB16,      // b as a word
    kB32,      // b as a double word
    kZero,     // constant 0x00
    kByteE0,   // constant 0xE0
    kByte20,   // constant 0x20
    kRfValue,  // b in eighths for the AFC parameters 9 and 10, else b as a word
    kWordSet,  // kParameterSetWords list entries as words
    kRampList, // kRampSteps list entries as decimal bytes
    kHexList,  // every list entry as a hex byte
    kOnes,     // nine 0x01 bytes after the opcode of the test code
};

constexpr int Width(Field field) {
    switch (field) {
    case Field::kEnd:
        return 0;
    case Field::kA16:
    case Field::kB16:
    case Field::kRfValue:
        return 2;
    case Field::kA32:
    case Field::kB32:
        return 4;
    case Field::kWordSet:
        return 2 * static_cast<int>(kParameterSetWords);
    case Field::kRampList:
        return static_cast<int>(kRampSteps);
    case Field::kHexList:
        return kListMaxEntries;
    case Field::kOnes:
        return kTestCodeRepeats;
    default:
        return 1;
    }
}

struct Command {
    std::string_view name;              // matched against the first name.size() characters
    std::optional<std::uint8_t> opcode; // none: nothing sent and the last opcode is kept
    bool sent;                          // opcode, fields and checksum go out
    std::array<Field, 3> fields;
};

using F = Field;

// First match wins, so the order matters ("tix" is "ti").
constexpr Command kCommands[] = {
    {"ti", kOpTi, true, {}},
    {"tms", kOpTms, true, {F::kA8}},
    {"vg", kOpVg, true, {F::kByteE0, F::kZero}},
    {"rfe", kOpRfe, true, {F::kA8, F::kZero}},
    {"sr", kOpSr, true, {F::kA16, F::kB16}},
    {"scw", kOpScw, true, {F::kA32, F::kB32}},
    {"scr", kOpScr, true, {F::kA8}},
    {"rfpw", kOpRfpw, true, {F::kA8, F::kZero, F::kRfValue}},
    {"rfpr", kOpRfpr, true, {F::kA8}},
    {"rftw", kOpRftw, true, {F::kA8, F::kWordSet}},
    {"rftr", kOpRftr, true, {F::kA8}},
    {"rxpw", kOpRxpw, true, {F::kA16, F::kB16}},
    {"rxpr", kOpRxpr, true, {F::kA8}},
    {"txpw", kOpTxpw, true, {F::kA8, F::kZero, F::kB16}},
    {"txpr", kOpTxpr, true, {F::kA8}},
    {"ttw", kOpTtw, true, {F::kA8, F::kRampList}},
    {"ttr", kOpTtr, true, {F::kA8, F::kByte20}},
    {"mw", kOpMw, false, {}},
    {"mr", std::nullopt, false, {}},
    {"cw", std::nullopt, false, {}},
    {"cr", std::nullopt, false, {}},
    {"mpw", kOpMpw, true, {F::kA16, F::kB16}},
    {"mpr", kOpMpr, true, {F::kA8}},
    {"spw", kOpSpw, true, {F::kA16, F::kB16}},
    {"spr", kOpSpr, true, {F::kA16}},
    {"stw", kOpStw, true, {F::kA8, F::kHexList}},
    {"str", kOpStr, true, {F::kA8}},
    {"se", kOpSe, true, {F::kA16}},
    {"11", kOpTestCode, true, {F::kOnes}},
    {"help", std::nullopt, false, {}},
    {"x", std::nullopt, false, {}},
    {"exit", std::nullopt, false, {}},
};

constexpr int LongestCommand() {
    int longest = 0;
    for (const Command& command : kCommands) {
        if (!command.sent)
            continue;
        int bytes = 2; // opcode and checksum
        for (Field field : command.fields)
            bytes += Width(field);
        longest = std::max(longest, bytes);
    }
    return longest;
}
static_assert(LongestCommand() <= kCommandBufferSize, "a command overruns the command buffer");
static_assert(1 + 2 * LongestCommand() <= kFrameStoreSize, "a stuffed body overruns the store");

struct Tokens {
    std::string_view mnemonic;
    std::string_view first;
    std::array<std::string_view, kListEntries> list{}; // entries after count stay empty
    std::size_t count = 0;
};

// Takes the token at pos up to the next separator or the end, cut to kTokenChars; pos is left
// on the separator.
std::string_view TakeToken(std::string_view line, std::size_t& pos, std::string_view separators) {
    const std::size_t end = std::min(line.find_first_of(separators, pos), line.size());
    const std::string_view token = line.substr(pos, std::min(end - pos, kTokenChars));
    pos = end;
    return token;
}

void SkipOne(std::string_view line, std::size_t& pos) {
    pos = std::min(pos + 1, line.size());
}

// Each separator ends one token, so two in a row give an empty token; the list always has at
// least one (possibly empty) entry.
Tokens Tokenise(std::string_view line) {
    Tokens tokens;
    std::size_t pos = 0;
    tokens.mnemonic = TakeToken(line, pos, " ");
    SkipOne(line, pos);
    tokens.first = TakeToken(line, pos, " ");
    do {
        SkipOne(line, pos);
        const std::string_view entry = TakeToken(line, pos, " ,");
        if (tokens.count < kListEntries)
            tokens.list[tokens.count++] = entry;
    } while (pos < line.size());
    return tokens;
}

class CommandWriter {
public:
    explicit CommandWriter(std::uint8_t* out) : out_(out) {}

    void Byte(std::uint8_t b) {
        out_[length_++] = b;
        checksum_ ^= b;
    }
    void Word(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        Byte(static_cast<std::uint8_t>(bits));
        Byte(static_cast<std::uint8_t>(bits >> 8));
    }
    void DoubleWord(std::int32_t value) {
        Word(value);
        Word(static_cast<std::int32_t>(static_cast<std::uint32_t>(value) >> 16));
    }
    void Checksum() { Byte(checksum_); }
    int Length() const { return length_; }

private:
    std::uint8_t* out_;
    int length_ = 0;
    std::uint8_t checksum_ = 0;
};

// The AFC parameters take a decimal fraction sent in eighths, truncated toward zero; the low
// 16 bits of that integer go out. Text that is no number, or no finite one, reads as 0.
std::int32_t Eighths(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
    const double eighths = std::trunc(value * 8.0);
    if (parsed.ec != std::errc{} || !std::isfinite(eighths))
        return 0;
    // fmod is exact, so this is the integer's remainder even beyond the int range.
    return static_cast<std::int32_t>(std::fmod(eighths, 65536.0));
}

std::int32_t RfValue(const Tokens& tokens) {
    const std::uint8_t index = ParseDecByte(tokens.first);
    return index == 9 || index == 10 ? Eighths(tokens.list[0]) : ParseDecWord(tokens.list[0]);
}

void WriteField(CommandWriter& writer, Field field, const Tokens& tokens) {
    switch (field) {
    case Field::kEnd:
        break;
    case Field::kA8:
        writer.Byte(ParseDecByte(tokens.first));
        break;
    case Field::kA16:
        writer.Word(ParseDecWord(tokens.first));
        break;
    case Field::kA32:
        writer.DoubleWord(ParseDecWord(tokens.first));
        break;
    case Field::kB16:
        writer.Word(ParseDecWord(tokens.list[0]));
        break;
    case Field::kB32:
        writer.DoubleWord(ParseDecWord(tokens.list[0]));
        break;
    case Field::kZero:
        writer.Byte(0x00);
        break;
    case Field::kByteE0:
        writer.Byte(0xE0);
        break;
    case Field::kByte20:
        writer.Byte(0x20);
        break;
    case Field::kRfValue:
        writer.Word(RfValue(tokens));
        break;
    case Field::kWordSet:
        for (std::size_t i = 0; i < kParameterSetWords; ++i)
            writer.Word(ParseDecWord(tokens.list[i]));
        break;
    case Field::kRampList:
        for (std::size_t i = 0; i < kRampSteps; ++i)
            writer.Byte(ParseDecByte(tokens.list[i]));
        break;
    case Field::kHexList:
        for (std::size_t i = 0; i < tokens.count; ++i)
            writer.Byte(ParseHexByte(tokens.list[i]));
        break;
    case Field::kOnes:
        for (int i = 0; i < kTestCodeRepeats; ++i)
            writer.Byte(kOpTestCode);
        break;
    }
}

const Command* FindCommand(std::string_view mnemonic) {
    for (const Command& command : kCommands) {
        if (mnemonic.starts_with(command.name))
            return &command;
    }
    return nullptr;
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

// Sums valueAt(i) * base^(n-1-i) mod 65536 over the characters right of the last reset
// character. Walking from the right makes the weight a running product; once it wraps to 0 the
// characters further left add nothing, which keeps the sum small for text of any length.
template <typename ValueAt>
std::int64_t WeightedSum(std::string_view text, std::int64_t base, std::string_view resets,
                         ValueAt valueAt) {
    std::int64_t sum = 0;
    std::int64_t weight = 1;
    for (std::size_t i = text.size(); i-- > 0 && weight != 0;) {
        if (resets.find(text[i]) != std::string_view::npos)
            break;
        sum += valueAt(i) * weight;
        weight = weight * base % 65536;
    }
    return sum;
}

// One encoder per thread: the windows share the user-interface thread's, as they always have; the
// calibration on its own thread has its own, so neither can take the other's frame.
thread_local std::string sharedLine;
thread_local std::array<std::uint8_t, kFrameStoreSize> sharedFrame{};
thread_local int sharedFrameLength = 0;
thread_local std::uint8_t lastOpcode = 0;

} // namespace

void EncodeText(std::string_view text) {
    sharedLine.assign(text);
    EncodeLine(sharedLine);
}

int EncodeLine(std::string_view line) {
    std::uint8_t command[kCommandBufferSize] = {};
    int length = 0;
    const int result = EncodeCommand(command, line, length);
    if (result == ENCODE_ACCEPTED)
        sharedFrameLength = StuffFrame(sharedFrame.data(), command, length);
    return result;
}

int EncodeCommand(std::uint8_t* out, std::string_view line, int& length) {
    length = 0;
    const Tokens tokens = Tokenise(line.substr(0, line.find('\0')));
    if (tokens.mnemonic.starts_with('/'))
        return ENCODE_COMMENT;
    const Command* command = FindCommand(tokens.mnemonic);
    if (command == nullptr)
        return ENCODE_UNKNOWN;
    if (command->opcode)
        lastOpcode = *command->opcode;
    if (!command->sent)
        return ENCODE_ACCEPTED;

    CommandWriter writer(out);
    writer.Byte(lastOpcode);
    for (Field field : command->fields)
        WriteField(writer, field, tokens);
    writer.Checksum();
    length = writer.Length();
    return ENCODE_ACCEPTED;
}

int StuffFrame(std::uint8_t* dest, const std::uint8_t* bytes, int n) {
    int length = 0;
    dest[length++] = LEAD_BYTE;
    for (int i = 0; i < n; ++i) {
        if (bytes[i] == STX || bytes[i] == DLE)
            dest[length++] = DLE;
        dest[length++] = bytes[i];
    }
    return length;
}

int FetchFrame(std::uint8_t* dest) {
    const int length = sharedFrameLength;
    std::memcpy(dest, sharedFrame.data(), static_cast<std::size_t>(length));
    sharedFrameLength = 0;
    return length;
}

std::uint8_t GetLastOpcode() {
    return lastOpcode;
}

std::uint8_t ParseDecByte(std::string_view text) {
    const auto digit = [text](std::size_t i) { return DigitValue(text[i]); };
    return static_cast<std::uint8_t>(WeightedSum(text, 10, "x", digit));
}

std::int32_t ParseDecWord(std::string_view text) {
    const std::size_t minus = text.find('-');
    const auto value = [text, minus](std::size_t i) {
        if (minus != std::string_view::npos && i > minus)
            return -(static_cast<unsigned char>(text[i]) - '0');
        return DigitValue(text[i]);
    };
    return static_cast<std::int32_t>(WeightedSum(text, 10, "", value));
}

std::uint8_t ParseHexByte(std::string_view text) {
    const auto digit = [text](std::size_t i) { return DigitValue(text[i]); };
    return static_cast<std::uint8_t>(WeightedSum(text, 16, "xX", digit));
}

void ByteToHexChars(char* dest, std::uint8_t b) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    dest[0] = kDigits[b >> 4];
    dest[1] = kDigits[b & 0x0F];
}
