#pragma once

#include <cstdint>

// The target's opcodes, the one table of them: the first byte of each command the encoder builds,
// and the byte by which a reply names the command it answers.
enum ReplyOpcode : std::uint8_t {
    kOpTestCode = 0x01,
    kOpTi = 0x20,
    kOpTms = 0x21,
    kOpVg = 0x22,
    kOpRfe = 0x23,
    kOpSr = 0x24,
    kOpScw = 0x25,
    kOpScr = 0x26,
    kOpRfpw = 0x30,
    kOpRfpr = 0x31,
    kOpRftw = 0x32,
    kOpRftr = 0x33,
    kOpRxpw = 0x34,
    kOpRxpr = 0x35,
    kOpTxpw = 0x36,
    kOpTxpr = 0x37,
    kOpTtw = 0x38,
    kOpTtr = 0x39,
    kOpMw = 0x40,
    kOpMpw = 0x44,
    kOpMpr = 0x45,
    kOpLastMemory = kOpMpr, // mw, mpw, mpr and their kin, 0x40..0x45
    kOpSpw = 0x50,
    kOpSpr = 0x51,
    kOpStw = 0x52,
    kOpStr = 0x53,
    kOpSe = 0x54,
};
