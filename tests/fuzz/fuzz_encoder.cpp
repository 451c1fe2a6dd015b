// Feeds arbitrary bytes to the command encoder as a command line and checks the frame body it
// leaves: bounded, led by the lead byte, every STX escaped, and a checksum that holds.
#include "link/Bcommand.h"
#include "link/FrameCodec.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

void CheckBody(const std::uint8_t* body, int length) {
    Check(length >= 1 && length <= kFrameStoreSize && body[0] == LEAD_BYTE);
    std::uint8_t command[kFrameStoreSize] = {};
    int n = 0;
    for (int i = 1; i < length; ++i) {
        if (body[i] == DLE) {
            Check(i + 1 < length && (body[i + 1] == STX || body[i + 1] == DLE));
            ++i;
        } else {
            Check(body[i] != STX);
        }
        command[n++] = body[i];
    }
    Check(n <= kCommandBufferSize);
    std::uint8_t sum = 0;
    for (int i = 0; i < n; ++i)
        sum ^= command[i]; // the checksum is the XOR of the bytes before it
    Check(sum == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);

    std::uint8_t body[kFrameStoreSize] = {};
    const int result = EncodeLine(line);
    const int length = FetchFrame(body);
    Check(result >= ENCODE_UNKNOWN && result <= ENCODE_ACCEPTED);
    if (result == ENCODE_ACCEPTED)
        CheckBody(body, length);
    else
        Check(length == 0); // the store was emptied by the previous fetch
    Check(FetchFrame(body) == 0);

    // The shared line buffer encodes the same.
    std::uint8_t again[kFrameStoreSize] = {};
    EncodeText(line);
    Check(FetchFrame(again) == length && std::memcmp(body, again, sizeof body) == 0);

    ParseDecByte(line);
    ParseHexByte(line);
    ParseDecWord(line);
    if (size > 0) {
        char hex[2] = {};
        ByteToHexChars(hex, data[0]);
        Check(ParseHexByte(std::string_view(hex, 2)) == data[0]);
    }
    return 0;
}
