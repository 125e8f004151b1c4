#pragma once

#include <array>
#include <span>

#include "dsc/DscSymbolCode.h"
#include "enhanced/EnhancedParameters.h"

namespace tolvik {

// One score per symbol value 0..127.
using CodewordScores = std::array<double, kCodewords>;

// The soft bits of one received ten-bit symbol, first received first.
using SymbolSoftBits = std::array<double, kBitsPerSymbol>;

// Scores every one of the 128 ten-bit codewords against a symbol's soft bits:
// m[v] = sum of C[v][i] * L[i] with the codeword's bits as +1 (bit 1) and -1
// (bit 0). For Gaussian soft bits of unit mean and variance var, m[v] / var
// is the log-likelihood of v up to a constant, so the best codeword is the
// most likely character, and scores of two copies simply add.
class CodewordMetrics {
 public:
  CodewordMetrics();

  void Score(std::span<const double, kBitsPerSymbol> soft, CodewordScores& scores) const;

 private:
  std::array<std::array<double, kBitsPerSymbol>, kCodewords> signs_{};  // C[v][i]
};

// What the soft bits of a character's copies add up to.
struct SoftSums {
  double Magnitude = 0.0;  // sum of |L| over both copies
  double Energy = 0.0;     // sum of L^2 over both copies
};

// The sums over a character's DX and RX copies.
SoftSums SumsOf(const SymbolSoftBits& dx, const SymbolSoftBits& rx);

// The value with the largest score, the lowest value on a tie.
int BestValue(const CodewordScores& scores);

}  // namespace tolvik
