#pragma once

#include "demod/DecoderParameters.h"
#include "enhanced/EnhancedParameters.h"

namespace tolvik {

// Constants of the enhanced VHF decoder: soft decisions on the 12 kHz working
// samples of the standard VHF chain's anti-alias filter and decimation. Where
// a constant is not named here, the enhanced HF decoder's holds.

// One bit of 1200 bit/s at the working rate.
inline constexpr int kVhfEnhancedSamplesPerBit = kVhfWorkingSamplesPerBit;  // 10

// The bits are detected from the signal over this many bits (the bit and
// one either side), each pattern of them with the phase running on through
// its changes, as the transmitter's modulator keeps it. At 1200 bit/s the
// two tones are only 800 Hz apart (modulation index 2/3) and correlate by
// 0.41 over one bit; over three bits with the phase continuity a wrong bit
// costs far more correlation than over one.
inline constexpr int kVhfDetectionBits = 3;
// The soft value at a working sample belongs to the window's middle bit,
// which ended this many samples earlier.
inline constexpr int kVhfDetectionDelaySamples =
    (kVhfDetectionBits / 2) * kVhfEnhancedSamplesPerBit;

// The mixing phasors repeat exactly every 120 working samples: 1300 Hz makes
// 13 and 2100 Hz 21 whole turns in them, and their difference of 800 Hz 8.
inline constexpr int kVhfPhasorPeriodSamples = 120;

// The sync is searched for on every second working sample (five per bit):
// the template's correlation peak is about a bit wide, so the search still
// finds it, and the timing is then taken from the full-rate correlation
// around it. That halves the decoder's largest cost.
inline constexpr int kVhfSyncSearchStride = 2;
inline constexpr int kVhfSyncSearchSamplesPerBit = kVhfEnhancedSamplesPerBit / kVhfSyncSearchStride;
// A candidate's correlation must reach this share of the envelope sum.
inline constexpr double kVhfSyncEnvelopeShare = 0.2;
inline constexpr int kVhfSyncHoldSamples = kSyncHoldBits * kVhfSyncSearchSamplesPerBit;

// A sync whose template's known bits scatter more than this (the variance
// of the normalised soft values, 1 / the soft bits' signal-to-noise ratio)
// holds no call that could be read: the edges of a clean signal after
// digital silence match the template faintly, and such a match starts no
// reception.
inline constexpr double kVhfLargestSyncVariance = 1.0;

// The timing loop's gain, in working samples per unit of Gardner error: the
// HF loop's share of a bit.
inline constexpr double kVhfGardnerGain =
    kGardnerGain * kVhfEnhancedSamplesPerBit / kEnhancedSamplesPerBit;

// The gate takes the soft bits as Gaussian with the variance measured on the
// template; neighbouring soft bits share the signal of their overlapping
// windows, and so their noise, which a sum over a codeword's bits would take
// for independent evidence. The gate widens the variance by this factor.
// Measured (300 to 1000 calls per point, 3 to 9 dB): with 1.5 the sum of
// 1 - posterior over the rows shown was 3.2 in 4000 calls near the 50 %
// point and one wrong row came through (posterior 0.99 and more); the
// rows' posteriors at 1.5 would have needed 0.999 to keep every wrong one
// out, and 2.25 asks that of a call's closest rival.
inline constexpr double kVhfGateVarianceFactor = 2.25;

}  // namespace tolvik
