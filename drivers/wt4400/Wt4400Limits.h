#pragma once

#include "visa/Visa.h"

// Argument ranges the driver checks before sending. The driver's own ranges are in the
// operations; these follow the instrument or the GSM standards, and those marked [U] are not
// yet confirmed on a real 4400: correct them here, in one place.
namespace Wt4400Limits {

inline constexpr double kMinLevelDbm = -120.0; // base station, generator and GPRS levels
inline constexpr double kMaxLevelDbm = -10.0;
inline constexpr ViInt32 kMaxArfcn = 1023;
inline constexpr ViInt32 kMaxMsPowerLevel = 43;
inline constexpr ViInt32 kMaxMeasurementCount = 1000; // bursts of an array measurement [U]

// BS_PA_MFRMS, 2 to 9 multiframes (3GPP TS 44.018, 10.5.2.11) [U: the 4400's coding of DRX]
inline constexpr ViInt32 kMinDrx = 2;
inline constexpr ViInt32 kMaxDrx = 9;

inline constexpr int kMaxCouplingPairs = 20;
inline constexpr int kMaxCouplingPairsPerBand = 10;
inline constexpr double kMaxCouplingLossDb = 50.0; // either sign [U]

inline constexpr int kMaxTemplatePoints = 20;         // [U]
inline constexpr ViInt32 kMaxTemplatePosition = 160;  // bits: a burst and its guard [U]
inline constexpr double kMinTemplateLimitDb = -100.0; // [U]
inline constexpr double kMaxTemplateLimitDb = 20.0;   // [U]
inline constexpr double kMinCornerUs = -100.0;        // [U]
inline constexpr double kMaxCornerUs = 700.0;         // [U]

inline constexpr double kMaxAfLevelV = 3.0;             // [U]
inline constexpr double kMinCodecLevelDbm0 = -60.0;     // [U]
inline constexpr double kMaxCodecLevelDbm0 = 3.14;      // full scale of G.711 A-law
inline constexpr double kMinAudioGeneratorHz = 10.0;    // [U]
inline constexpr double kMaxAudioGeneratorHz = 20000.0; // [U]

inline constexpr ViInt32 kMaxSpectrumAveraging = 100;   // [U]
inline constexpr double kMaxSpectrumOffsetKHz = 1800.0; // half the widest span, SP3600
// How span and resolution reach the instrument [U: the resolution's header]
inline constexpr const char* kSpectrumSpanHeader = ":RFSP:MSP:SPAN ";
inline constexpr const char* kSpectrumResolutionHeader = ";:RFSP:MSP:RES ";

inline constexpr ViInt32 kMaxBerFrames = 100000;    // [U]
inline constexpr double kBerLoopWaitSeconds = 10.0; // [U]
inline constexpr ViInt32 kMaxGprsBlerBlocks = 10000;

} // namespace Wt4400Limits
