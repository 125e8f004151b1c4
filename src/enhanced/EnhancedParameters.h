#pragma once

#include <cstdint>

#include "demod/DecoderParameters.h"

namespace tolvik {

// Constants of the enhanced HF decoder: soft decisions on the 4800 Hz working
// samples of the standard chain's anti-alias filter and decimation.

// One bit of 100 bit/s at the working rate.
inline constexpr int kEnhancedSamplesPerBit = kHfWorkingSamplesPerBit;  // 48
inline constexpr double kEnhancedWorkingRateHz = kHfWorkingRateHz;      // 4800

// Absolute working-sample index, counted from the decoder's construction.
using SampleIndex = std::int64_t;

// The working samples and soft values kept for re-filtering at a sync: the
// sync is declared 80 bits after its template, which itself spans 180 bits,
// so 260 bits (2.6 s) must still be at hand; 16384 samples hold 3.4 s.
inline constexpr int kWorkingRingSamples = 16384;

// --- Sync ---------------------------------------------------------------------------------
// The template: the last 20 dot-pattern bits, then 16 symbols of phasing as
// transmitted (DX and RX interleaved), the two format specifiers in DX
// unknown.
inline constexpr int kTemplateDotBits = 20;
inline constexpr int kTemplateSymbols = 16;
inline constexpr int kTemplateBits = kTemplateDotBits + kTemplateSymbols * 10;  // 180
// A candidate's correlation must reach this share of the envelope sum (which
// rejects noise) and of the soft-value magnitude sum (which rejects the data
// of a strong call).
inline constexpr double kSyncEnvelopeShare = 0.2;
inline constexpr double kSyncSoftShare = 0.6;
// A candidate is the sync when no larger one follows within this many bits.
inline constexpr int kSyncHoldBits = 80;
// A new sync ends a running reception only when it is at least this share
// of the running one's.
inline constexpr double kPreemptShare = 0.5;

// --- At a sync ----------------------------------------------------------------------------
// Offsets of the tone pair tried: -30 ... +30 Hz in steps of 10 Hz.
inline constexpr int kOffsetBankSteps = 7;
inline constexpr double kOffsetBankStepHz = 10.0;
inline constexpr double kOffsetBankLowestHz = -30.0;

// --- Bits ---------------------------------------------------------------------------------
// Gardner timing error, in units of the amplitude squared, clipped, and the
// share of it that moves the next sampling instant (in working samples).
inline constexpr double kGardnerClip = 2.0;
inline constexpr double kGardnerGain = 0.12;
// The bit clock starts at the DX copy of the first format specifier, symbol
// 12 of the phasing timeline; each character's RX copy follows five symbol
// periods after its DX copy.
inline constexpr int kFirstClockedSymbol = 12;
inline constexpr int kRxDelaySymbols = 5;
inline constexpr int kFirstRxCharacterSymbol = kFirstClockedSymbol + kRxDelaySymbols;  // 17

// --- Characters and gates -----------------------------------------------------------------
inline constexpr int kCodewords = 128;
// "Data error..." when the best codeword's metric stays below this share of
// the summed soft-value magnitudes of both copies.
inline constexpr double kDataErrorShare = 0.2;
// In the look-ahead, the RX copy counts as 126 only with this metric (of 10
// for a clean copy).
inline constexpr double kNoInformationMetric = 5.0;
// A failed check is mended when the best passing sequence has this posterior;
// a passed check is accepted when the received sequence has it. With the
// weights taken from the exact log-likelihoods of the tone envelopes the
// posterior is a probability (measured: over 1200 calls at 4.5 to 7 dB the
// sum of 1 - posterior over the rows shown was 4.5 with 0.9 and no row was
// wrong, so it errs on the safe side), and 1 - posterior bounds the share
// of wrong rows among those shown; 0.9 let a wrong row through at 5 dB
// (posterior 0.901) and costs 0.06 dB less at 90 % decoded.
inline constexpr double kPassPosterior = 0.99;
// The strict gate's pass, on the same weights: a fifth of the normal gate's
// bound on wrong rows, for 0.25 to 0.35 dB at 90 % decoded (measured on
// 300 calls per point; 0.999 cost 0.35 to 0.45 dB, 0.997 0.2 to 0.3 dB).
inline constexpr double kStrictPassPosterior = 0.998;

}  // namespace tolvik
