#pragma once

#include <numbers>

#include "base/BlockFormat.h"

namespace tolvik {

// Rates, scales and clock-recovery constants of the two demodulators. All of
// them are fixed for the life of the program; only the HF centre frequencies
// (ChannelTuning) move.

inline constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Both discriminators measure the tone against this fixed reference; the HF
// mixer moves the tracked centre up to it.
inline constexpr double kReferenceFrequencyHz = 1700.0;

// --- HF/MF: 100 bit/s, 170 Hz shift -------------------------------------------------------

inline constexpr int kHfDecimationFactor = 10;
inline constexpr int kHfWorkingRateHz = kCaptureRateHz / kHfDecimationFactor;            // 4800
inline constexpr int kHfWorkingSamplesPerBlock = kFramesPerBlock / kHfDecimationFactor;  // 480
inline constexpr int kHfBitRate = 100;                                                   // bit/s
inline constexpr int kHfWorkingSamplesPerBit = kHfWorkingRateHz / kHfBitRate;            // 48
inline constexpr double kHfSamplingPeriodS = 1.0 / 4800.0;
// 2*pi*1700/4800 = 2.225294796 rad: the phase a 1700 Hz tone advances per working sample.
inline constexpr double kHfReferencePhaseStep = kTwoPi * kReferenceFrequencyHz / kHfWorkingRateHz;
// Each tone sits this far above or below the centre.
inline constexpr double kHfNominalToneOffsetHz = 85.0;
// Radians per working sample to units of 10 Hz: 4800/(2*pi)/10, kept as the stored literal.
inline constexpr double kHfDisplayScale = 76.39437268;

// The clock resonator rings at the bit rate; its output is read half a bit late
// (24 of 48 working samples) so that ticks land in the middle of a bit.
inline constexpr double kHfClockCentreHz = 100.0;
inline constexpr double kHfClockBandwidthHz = 1.0;
inline constexpr double kHfClockGain = 1.0;
inline constexpr int kHfClockDelayLength = 32;
inline constexpr int kHfClockDelayTap = 24;

// The frequency error is the mean of the offsets measured at the last 20 ticks.
inline constexpr int kHfFrequencyErrorHistoryLength = 20;
inline constexpr double kHfFrequencyErrorWeight = 0.05;  // 1/20

// --- VHF: 1200 bit/s, tones 1300 Hz and 2100 Hz --------------------------------------------

// Bit 1 (mark) and bit 0 (space).
inline constexpr double kVhfMarkHz = 1300.0;
inline constexpr double kVhfSpaceHz = 2100.0;

inline constexpr int kVhfDecimationFactor = 4;
inline constexpr int kVhfWorkingRateHz = kCaptureRateHz / kVhfDecimationFactor;            // 12000
inline constexpr int kVhfWorkingSamplesPerBlock = kFramesPerBlock / kVhfDecimationFactor;  // 1200
inline constexpr int kVhfBitRate = 1200;                                                   // bit/s
inline constexpr int kVhfWorkingSamplesPerBit = kVhfWorkingRateHz / kVhfBitRate;           // 10
inline constexpr double kVhfSamplingPeriodS = 1.0 / 12000.0;
// 2*pi*1700/12000 = 0.890117919 rad.
inline constexpr double kVhfReferencePhaseStep = kTwoPi * kReferenceFrequencyHz / kVhfWorkingRateHz;
// Radians per working sample to units of 10 Hz: 12000/(2*pi)/10, kept as the stored literal.
inline constexpr double kVhfDisplayScale = 190.9859317;

// The resonator rings at the bit rate; its output is read one working sample late.
inline constexpr double kVhfClockCentreHz = 1200.0;
inline constexpr double kVhfClockBandwidthHz = 20.0;
inline constexpr double kVhfClockGain = 1.0;
inline constexpr int kVhfClockDelayLength = 8;
inline constexpr int kVhfClockDelayTap = 1;

}  // namespace tolvik
