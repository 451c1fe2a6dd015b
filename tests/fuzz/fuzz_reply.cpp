#include "link/FrameCodec.h"
#include "link/ReplyDecoder.h"

#include <cstddef>
#include <cstdint>

namespace {

// Every decoding path a window can reach with one frame.
void DecodeEverything(const std::uint8_t* frame, int length) {
    const std::uint8_t ownOpcode = length > 2 ? frame[2] : 0;
    const std::uint8_t otherOpcode = static_cast<std::uint8_t>(ownOpcode ^ 0x01);
    for (std::uint8_t last : {ownOpcode, otherOpcode}) {
        const ReplyClass result = ClassifyReply(frame, length, last);
        DispatchManualReply(result, frame, length);
    }
    for (ReplyClass result :
         {REPLY_NOT_A_REPLY, REPLY_OTHER_OPCODE, REPLY_SUCCESS, REPLY_STATUS_ERROR})
        DispatchManualReply(result, frame, length);
    ResultDisplayLines(frame, length);
    ReplyChecksumMatches(frame, length);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The link API counts in int; inputs beyond 64 KiB add nothing the first 64 KiB do not.
    const int length = size > 65536 ? 65536 : static_cast<int>(size);
    DecodeEverything(data, length);

    FrameAssembler assembler;
    for (int i = 0; i < length; ++i) {
        if (assembler.PutByte(data[i]))
            DecodeEverything(assembler.Frame(), assembler.Length());
    }
    return 0;
}
