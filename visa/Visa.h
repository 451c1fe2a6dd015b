#pragma once

// The part of the VISA C API (IVI VPP-4.3) that the instrument drivers use, with the standard's
// names, types and values. The definitions dispatch each resource to the built-in raw-socket
// backend or to a system VISA library loaded at run time (see VisaConfig.h for aliases and the
// library choice). Call them from one thread, as the drivers do.

#include <cstdint>
#include <type_traits>

using ViInt16 = std::int16_t;
using ViUInt16 = std::uint16_t;
using ViInt32 = std::int32_t;
using ViUInt32 = std::uint32_t;
using ViUInt64 = std::uint64_t;
using ViByte = unsigned char;
using ViChar = char;
using ViReal64 = double;
using ViStatus = ViInt32;
using ViObject = ViUInt32;
using ViSession = ViObject;
using ViFindList = ViObject;
using ViAttr = ViUInt32;
using ViAccessMode = ViUInt32;
using ViPSession = ViSession*;
using ViPFindList = ViFindList*;
using ViPUInt16 = ViUInt16*;
using ViPUInt32 = ViUInt32*;
using ViBuf = ViByte*;
using ViConstBuf = const ViByte*;
using ViPBuf = ViByte*;
using ViConstString = const ViChar*;
using ViConstRsrc = ViConstString;
// VISA-64 widens attribute values to 64 bits on 64-bit platforms (visa.h, _VISA_ENV_IS_64_BIT).
using ViAttrState = std::conditional_t<sizeof(void*) == 8, ViUInt64, ViUInt32>;

inline constexpr ViUInt32 VI_NULL = 0;
inline constexpr int VI_FIND_BUFLEN = 256;

// Completion and error codes. Errors have the top bit set (_VI_ERROR = 0x80000000).
inline constexpr ViStatus VI_SUCCESS = 0;
inline constexpr ViStatus VI_SUCCESS_TERM_CHAR = 0x3FFF0005;
inline constexpr ViStatus VI_SUCCESS_MAX_CNT = 0x3FFF0006;
inline constexpr ViStatus VI_WARN_NULL_OBJECT = 0x3FFF0082;
inline constexpr ViStatus VI_WARN_UNKNOWN_STATUS = 0x3FFF0085;
inline constexpr ViStatus VI_ERROR_SYSTEM_ERROR = static_cast<ViStatus>(0xBFFF0000u);
inline constexpr ViStatus VI_ERROR_INV_OBJECT = static_cast<ViStatus>(0xBFFF000Eu);
inline constexpr ViStatus VI_ERROR_INV_SESSION = VI_ERROR_INV_OBJECT;
inline constexpr ViStatus VI_ERROR_RSRC_LOCKED = static_cast<ViStatus>(0xBFFF000Fu);
inline constexpr ViStatus VI_ERROR_INV_EXPR = static_cast<ViStatus>(0xBFFF0010u);
inline constexpr ViStatus VI_ERROR_RSRC_NFOUND = static_cast<ViStatus>(0xBFFF0011u);
inline constexpr ViStatus VI_ERROR_INV_RSRC_NAME = static_cast<ViStatus>(0xBFFF0012u);
inline constexpr ViStatus VI_ERROR_INV_ACC_MODE = static_cast<ViStatus>(0xBFFF0013u);
inline constexpr ViStatus VI_ERROR_TMO = static_cast<ViStatus>(0xBFFF0015u);
inline constexpr ViStatus VI_ERROR_NSUP_ATTR = static_cast<ViStatus>(0xBFFF001Du);
inline constexpr ViStatus VI_ERROR_NSUP_ATTR_STATE = static_cast<ViStatus>(0xBFFF001Eu);
inline constexpr ViStatus VI_ERROR_ATTR_READONLY = static_cast<ViStatus>(0xBFFF001Fu);
inline constexpr ViStatus VI_ERROR_ABORT = static_cast<ViStatus>(0xBFFF0030u);
inline constexpr ViStatus VI_ERROR_INV_SETUP = static_cast<ViStatus>(0xBFFF003Au);
inline constexpr ViStatus VI_ERROR_ALLOC = static_cast<ViStatus>(0xBFFF003Cu);
inline constexpr ViStatus VI_ERROR_INV_MASK = static_cast<ViStatus>(0xBFFF003Du);
inline constexpr ViStatus VI_ERROR_IO = static_cast<ViStatus>(0xBFFF003Eu);
inline constexpr ViStatus VI_ERROR_NLISTENERS = static_cast<ViStatus>(0xBFFF005Fu);
inline constexpr ViStatus VI_ERROR_NSUP_OPER = static_cast<ViStatus>(0xBFFF0067u);
inline constexpr ViStatus VI_ERROR_USER_BUF = static_cast<ViStatus>(0xBFFF0071u);
inline constexpr ViStatus VI_ERROR_LIBRARY_NFOUND = static_cast<ViStatus>(0xBFFF009Eu);
inline constexpr ViStatus VI_ERROR_CONN_LOST = static_cast<ViStatus>(0xBFFF00A6u);
inline constexpr ViStatus VI_ERROR_MACHINE_NAVAIL = static_cast<ViStatus>(0xBFFF00A7u);

// Attributes.
inline constexpr ViAttr VI_ATTR_TMO_VALUE = 0x3FFF001Au;
inline constexpr ViAttr VI_ATTR_RD_BUF_OPER_MODE = 0x3FFF002Au;
inline constexpr ViAttr VI_ATTR_WR_BUF_OPER_MODE = 0x3FFF002Du;
inline constexpr ViAttr VI_ATTR_RM_SESSION = 0x3FFF00C4u;

inline constexpr ViUInt16 VI_FLUSH_ON_ACCESS = 1;
inline constexpr ViUInt16 VI_FLUSH_WHEN_FULL = 2;
inline constexpr ViUInt16 VI_READ_BUF = 1;
inline constexpr ViUInt16 VI_WRITE_BUF = 2;
inline constexpr ViUInt16 VI_IO_IN_BUF = 16;
inline constexpr ViUInt16 VI_IO_OUT_BUF = 32;
inline constexpr ViUInt32 VI_TMO_INFINITE = 0xFFFFFFFFu;
inline constexpr ViAccessMode VI_NO_LOCK = 0;
inline constexpr ViAccessMode VI_LOAD_CONFIG = 4;

extern "C" {
ViStatus viOpenDefaultRM(ViPSession vi);
ViStatus viFindRsrc(ViSession sesn, ViConstString expr, ViPFindList vi, ViPUInt32 retCnt,
                    ViChar desc[]);
ViStatus viFindNext(ViFindList vi, ViChar desc[]);
ViStatus viOpen(ViSession sesn, ViConstRsrc name, ViAccessMode mode, ViUInt32 timeout,
                ViPSession vi);
ViStatus viClose(ViObject vi);
ViStatus viSetAttribute(ViObject vi, ViAttr attrName, ViAttrState attrValue);
ViStatus viGetAttribute(ViObject vi, ViAttr attrName, void* attrValue);
ViStatus viStatusDesc(ViObject vi, ViStatus status, ViChar desc[]);
ViStatus viRead(ViSession vi, ViPBuf buf, ViUInt32 cnt, ViPUInt32 retCnt);
ViStatus viWrite(ViSession vi, ViConstBuf buf, ViUInt32 cnt, ViPUInt32 retCnt);
ViStatus viClear(ViSession vi);
ViStatus viReadSTB(ViSession vi, ViPUInt16 status);
ViStatus viSetBuf(ViSession vi, ViUInt16 mask, ViUInt32 size);
}
