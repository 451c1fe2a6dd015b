#pragma once

// wt4400: the SCPI driver of the Willtek 4400 GSM/GPRS mobile tester. Each call turns into SCPI
// lines on a VISA session, checks the instrument's error queue when asked to, and returns a
// status: 0 success, negative failure, positive warning. Sessions are slot numbers 1 to 7.
// The calls block the calling thread for their I/O and waits; call them from one thread.

#include "visa/Visa.h"
#include "visa/VppStatus.h"

// Driver-detected failures, besides the VPP codes of VppStatus.h and VISA codes passed through.
inline constexpr ViStatus WT4400_ERROR_NOT_ALLOWED = -108; // an argument out of range
inline constexpr ViStatus WT4400_ERROR_TIMEOUT = -114;     // a polling wait ran out of rounds
inline constexpr ViStatus WT4400_ERROR_READ = -115;        // a reply that does not parse
inline constexpr ViStatus WT4400_ERROR_VALUE = -116;       // a value or result out of range
inline constexpr ViStatus WT4400_ERROR_QUERY = -400;       // a state query failed
// Instrument error n (the negative SCPI number read from ":SYST:ERR?") is this base + n.
inline constexpr ViStatus WT4400_INSTRUMENT_ERROR_BASE = static_cast<ViStatus>(0xBFFE8000u);

inline constexpr int WT4400_ERROR_TEXT_SIZE = 266; // wt4400_readError's text
inline constexpr int WT4400_MESSAGE_SIZE = 256;    // wt4400_errorMessage's and the revisions
inline constexpr int WT4400_MS_TEXT_SIZE = 31;     // wt4400_readMsIdentity's texts
inline constexpr int WT4400_TX_ALL_VALUES = 19;
inline constexpr int WT4400_ACP_VALUES = 23;
inline constexpr int WT4400_AUDIO_VALUES = 6;
inline constexpr int WT4400_SPECTRUM_POINTS = 600;
inline constexpr const char* WT4400_NO_CHANGE = "NoChangeS"; // wt4400_setDateTime

// Sessions, I/O, errors and log.
ViStatus wt4400_init(ViConstRsrc resource, ViInt16 idQuery, ViInt16 reset, ViSession* session);
ViStatus wt4400_initSimulated(ViConstRsrc resource, ViInt16 idQuery, ViInt16 reset,
                              ViSession* session);
ViStatus wt4400_close(ViSession session);
ViStatus wt4400_setTimeout(ViSession session, ViReal64 seconds);
ViStatus wt4400_setMode(ViSession session, ViInt16 mode, ViInt16 logDestination,
                        ViConstString logFileName, ViInt16 append);
ViStatus wt4400_getMode(ViSession session, ViInt16* simulated, ViInt16* noCheck, ViInt16* logMode);
ViStatus wt4400_log(ViStatus status, ViConstString prefix, ViConstString message,
                    ViSession session);
ViStatus wt4400_write(ViSession session, ViConstString command);
ViStatus wt4400_writeChecked(ViSession session, ViConstString command);
ViStatus wt4400_read(ViChar buffer[], ViInt16 size, ViSession session);
ViStatus wt4400_query(ViSession session, ViConstString query, ViChar reply[], ViInt16 size);
ViStatus wt4400_checkErrorQueue(ViSession session);
// text (may be null) holds WT4400_ERROR_TEXT_SIZE bytes.
ViStatus wt4400_readError(ViSession session, ViInt32* code, ViChar text[]);
ViStatus wt4400_identify(ViSession session, ViChar reply[], ViInt16 size);
// Both texts hold WT4400_MESSAGE_SIZE bytes.
// The "*IDN?" reply read by the ID query at init (empty without one); text holds
// WT4400_MESSAGE_SIZE bytes.
ViStatus wt4400_identity(ViSession session, ViChar text[]);
ViStatus wt4400_revision(ViSession session, ViChar driverRevision[], ViChar firmwareRevision[]);
ViStatus wt4400_reset(ViSession session);
ViStatus wt4400_resetAndCheck(ViSession session);
ViStatus wt4400_resetCache(ViSession session);
// text holds WT4400_MESSAGE_SIZE bytes.
ViStatus wt4400_errorMessage(ViStatus status, ViChar text[]);
ViStatus wt4400_errorMessageEx(ViSession session, ViStatus status, ViChar text[]);
// Logs every GPIB instrument VISA lists on board (negative: every board) in the driver's own
// resource form; VI_ERROR_RSRC_NFOUND when there is none.
ViStatus wt4400_findResources(ViInt32 board);

// Call system, call set-up and signalling waits.
ViStatus wt4400_selectCallSystem(ViSession session, ViInt16 code);
ViStatus wt4400_waitForConnection(ViSession session, ViReal64 seconds);
ViStatus wt4400_originateCall(ViSession session, ViReal64 seconds);
ViStatus wt4400_originateCallNoWait(ViSession session);
ViStatus wt4400_releaseCall(ViSession session);
ViStatus wt4400_changeTimeslot(ViSession session, ViInt16 timeslot, ViReal64 seconds);
ViStatus wt4400_readSignallingState(ViSession session, ViInt32* state);
ViStatus wt4400_readGprsSignallingState(ViSession session, ViInt16* attached);

// Coupling and RF generator.
ViStatus wt4400_setCoupling(ViSession session, ViConstString tableName, ViInt16 state);
ViStatus wt4400_setCouplingLossTable(ViSession session, const ViReal64 frequenciesMHz[],
                                     const ViReal64 lossesDb[], ViInt16 count);
ViStatus wt4400_configureRfGenerator(ViSession session, ViReal64 frequencyMHz, ViReal64 levelDbm,
                                     ViInt16 modulation, ViInt16 trainingSequenceState,
                                     ViInt16 trainingSequence, ViInt16 bitPattern,
                                     ViInt16 signalType, ViInt16 timeslot);
ViStatus wt4400_setRfGeneratorFrequencyLevel(ViSession session, ViReal64 frequencyMHz,
                                             ViReal64 levelDbm);

// Base station, with the settings cache.
ViStatus wt4400_setCallParameters(ViSession session, ViReal64 levelDbm, ViInt32 msPowerLevel,
                                  ViInt32 tchArfcn);
ViStatus wt4400_setBchChannel(ViSession session, ViInt32 arfcn);
ViStatus wt4400_setBaseStationLevel(ViSession session, ViReal64 levelDbm);
ViStatus wt4400_setBchAndMsLevel(ViSession session, ViInt32 bchArfcn, ViInt32 msPowerLevel);
ViStatus wt4400_setTchAndMsLevel(ViSession session, ViInt32 tchArfcn, ViInt32 msPowerLevel);
ViStatus wt4400_setBaseStationIdentity(ViSession session, ViInt32 mcc, ViInt32 mnc, ViInt32 lac,
                                       ViInt32 ncc, ViInt32 bcc, ViInt32 cba, ViInt32 ci,
                                       ViInt32 drx);
ViStatus wt4400_setCountryNetworkCode(ViSession session, ViInt32 mcc, ViInt32 mnc);

// TX measurements. A count of 1 measures once; any other count measures that many bursts and
// returns the statistic of the result mode (0 average, 1 minimum, 2 maximum).
ViStatus wt4400_setResultMode(ViSession session, ViInt16 mode);
ViStatus wt4400_measureTxPower(ViSession session, ViReal64* value, ViInt32 count);
ViStatus wt4400_measureTxFramePower(ViSession session, ViReal64* value, ViInt32 count);
ViStatus wt4400_measureTxFrequencyError(ViSession session, ViReal64* first, ViReal64* second,
                                        ViInt32 count);
ViStatus wt4400_measureTxPhaseErrorRms(ViSession session, ViReal64* value, ViInt32 count);
ViStatus wt4400_measureTxPhaseErrorPeak(ViSession session, ViReal64* value, ViInt32 count);
ViStatus wt4400_measureTxTemplate(ViSession session, ViReal64* value, ViInt32 count);
ViStatus wt4400_measureTxAll(ViSession session, ViReal64 values[], ViInt32 count);
// kind 1: modulation, 2: transient.
ViStatus wt4400_measureAdjacentChannelPower(ViSession session, ViInt16 kind, ViReal64 values[],
                                            ViInt32 count);
ViStatus wt4400_setTxTemplateCorners(ViSession session, const ViReal64 positions[8]);
ViStatus wt4400_setTxTemplateLowerPoints(ViSession session, const ViInt32 positions[],
                                         const ViReal64 levelsDb[], ViInt16 count);
ViStatus wt4400_setTxTemplateLimits(ViSession session, const ViReal64 lowerDb[],
                                    const ViReal64 upperDb[], ViInt16 count);
ViStatus wt4400_setTxTemplateAutoLimits(ViSession session, ViInt16 on);

// Modulation spectrum.
ViStatus wt4400_setModulationSpectrumSpan(ViSession session, ViInt32 spanCode, ViInt16 resolution);
ViStatus wt4400_setModulationSpectrumAveraging(ViSession session, ViInt32 count);
ViStatus wt4400_readModulationSpectrum(ViSession session, ViReal64 values[]);
ViStatus wt4400_readModulationSpectrumValue(ViSession session, ViReal64 offsetKHz, ViReal64* value);

// Audio generator and analyser.
ViStatus wt4400_setAudioGenerator(ViSession session, ViInt16 on);
// output 1: codec, 2: AF connector.
ViStatus wt4400_setAudioGeneratorOutput(ViSession session, ViInt16 output);
ViStatus wt4400_configureAudioGenerator(ViSession session, ViReal64 afLevelV,
                                        ViReal64 codecLevelDbm0, ViReal64 frequencyHz);
// input 1: AF, 2: codec, 3: AUX; coupling 1: AC, 2: DC.
ViStatus wt4400_setAudioAnalyzerInput(ViSession session, ViInt16 input);
ViStatus wt4400_setAudioAnalyzerCoupling(ViSession session, ViInt16 coupling);
ViStatus wt4400_measureAudioAnalyzer(ViSession session, ViReal64 values[], ViInt32 count);
ViStatus wt4400_measureAudioSpectrum(ViSession session, const ViInt32 frequenciesHz[],
                                     ViReal64 values[], ViInt16 points);

// Mobile station reports.
ViStatus wt4400_readMsReport(ViSession session, ViInt32* rxLevel, ViInt32* rxQuality,
                             ViInt32* timingAdvance);
ViStatus wt4400_readFrameErasure(ViSession session, ViReal64* value);
ViStatus wt4400_readMsIdentity(ViSession session, ViChar imsi[], ViChar imei[], ViInt32* msClass,
                               ViChar number[]);

// Bit error rate. berType 1: BER, 2: residual BER, 3: fast BER.
ViStatus wt4400_startBerLoop(ViSession session, ViInt16 berType, ViInt32 frames);
ViStatus wt4400_stopBerLoop(ViSession session);
ViStatus wt4400_setBerFrameCount(ViSession session, ViInt32 frames);
// fetch 1 reads the last result, 0 measures anew (the fast BER always measures).
ViStatus wt4400_readBer(ViSession session, ViInt16 berType, ViInt16 fetch, ViReal64 values[3]);

// GPRS multislot.
ViStatus wt4400_setGprsMultislot(ViSession session, ViInt16 msSlots, ViInt16 bsSlots);
ViStatus wt4400_setGprsMultislotResolution(ViSession session, ViInt16 resolution);
ViStatus wt4400_setGprsBlerCount(ViSession session, ViInt32 blocks);
ViStatus wt4400_startGprsBler(ViSession session);
ViStatus wt4400_setGprsLevel(ViSession session, ViReal64 levelDbm);
ViStatus wt4400_setGprsSlotLevels(ViSession session, const ViReal64 levelsDb[], ViInt16 count);
ViStatus wt4400_setGprsUnusedSlotLevel(ViSession session, ViReal64 levelDb);
ViStatus wt4400_setGprsPdtchChannel(ViSession session, ViInt32 arfcn);
ViStatus wt4400_readGprsBler(ViSession session, ViReal64 values[], ViInt16 count);
ViStatus wt4400_measureGprsMultislotTx(ViSession session, ViReal64 values[]);

// Instrument clock. date holds 12 bytes, time 10.
ViStatus wt4400_readDateTime(ViSession session, ViChar date[], ViChar time[]);
ViStatus wt4400_setDateTime(ViSession session, ViConstString date, ViConstString time);
