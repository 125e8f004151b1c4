#pragma once

#include <array>
#include <cstddef>
#include <span>

namespace tolvik {

// The filter tables of both demodulators. The band-pass and low-pass tables
// are Kaiser-windowed sinc designs computed on first use (before the first
// block); the two Hilbert tables are data.

inline constexpr std::size_t kHfBandPassTaps = 101;
inline constexpr std::size_t kHfLowPassTaps = 101;
inline constexpr std::size_t kVhfBandPassTaps = 51;
inline constexpr std::size_t kVhfLowPassTaps = 51;
inline constexpr std::size_t kQuadratureTaps = 51;

// Kaiser's rule for 40 dB stop-band attenuation: 0.5842*19^0.4 + 0.07886*19.
double KaiserBetaFor40Db();

// Fills `table` with a Kaiser-windowed (beta as given) ideal filter at `rate_hz`:
// a band-pass between the two edges, or a low-pass when `low_edge_hz` is 0.
// The edges are the half-amplitude points. The table length must be odd; the
// result is symmetric, h[k] = h[N-1-k].
void DesignKaiserWindowedFilter(std::span<double> table, double low_edge_hz, double high_edge_hz,
                                double rate_hz, double beta);

// HF, at 4800 Hz: band-pass 1550..1850 Hz around the 1700 Hz reference,
// post-detection low-pass with edge 65 Hz.
const std::array<double, kHfBandPassTaps>& HfBandPassTable();
const std::array<double, kHfLowPassTaps>& HfLowPassTable();
// VHF, at 12000 Hz: band-pass 1000..2400 Hz, post-detection low-pass with edge 700 Hz.
const std::array<double, kVhfBandPassTaps>& VhfBandPassTable();
const std::array<double, kVhfLowPassTaps>& VhfLowPassTable();

// The Hilbert (quadrature) tables are antisymmetric about tap 25, zero at
// even distances from it; the taps at odd distances m = 1, 3, ..., 25 on the
// older side are listed, the newer side is their negative.
inline constexpr std::size_t kQuadratureOddTaps = 13;
using QuadratureOddTaps = std::array<double, kQuadratureOddTaps>;

inline constexpr QuadratureOddTaps kHfQuadratureOddTaps{
    0.634600642,   0.206211761,   0.117537538,  0.0776628985, 0.0543461806,
    0.03884162,    0.0278058788,  0.0196785115, 0.0136181739, 0.00911262574,
    0.00581423332, 0.00346426047, 0.00243136086};

inline constexpr QuadratureOddTaps kVhfQuadratureOddTaps{
    0.635081148,   0.207625476,   0.119803225,  0.0806522041, 0.0578935177,
    0.042756742,   0.0318879867,  0.0237307016, 0.017460947,  0.0125953651,
    0.00882375805, 0.00592987191, 0.00589720752};

constexpr std::array<double, kQuadratureTaps> ExpandQuadratureTable(const QuadratureOddTaps& odd) {
  constexpr std::size_t kCentre = (kQuadratureTaps - 1) / 2;
  std::array<double, kQuadratureTaps> table{};
  for (std::size_t j = 0; j < kQuadratureOddTaps; ++j) {
    const std::size_t m = 2 * j + 1;
    table[kCentre + m] = odd[j];
    table[kCentre - m] = -odd[j];
  }
  return table;
}

// HF at 4800 Hz: gives +sin for cos at the centre tap over about 200..2200 Hz.
inline constexpr std::array<double, kQuadratureTaps> kHfQuadratureTable =
    ExpandQuadratureTable(kHfQuadratureOddTaps);
// VHF at 12000 Hz: over about 500..5500 Hz.
inline constexpr std::array<double, kQuadratureTaps> kVhfQuadratureTable =
    ExpandQuadratureTable(kVhfQuadratureOddTaps);

}  // namespace tolvik
