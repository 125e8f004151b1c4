#include "enhanced/CodewordMetrics.h"

#include <cmath>

namespace tolvik {

CodewordMetrics::CodewordMetrics() {
  for (int value = 0; value < kCodewords; ++value) {
    const SymbolBitArray bits = SymbolBits(value);
    for (int i = 0; i < kBitsPerSymbol; ++i) {
      signs_[value][i] = bits[i] != 0 ? 1.0 : -1.0;
    }
  }
}

void CodewordMetrics::Score(std::span<const double, kBitsPerSymbol> soft,
                            CodewordScores& scores) const {
  for (int value = 0; value < kCodewords; ++value) {
    double sum = 0.0;
    for (int i = 0; i < kBitsPerSymbol; ++i) {
      sum += signs_[value][i] * soft[i];
    }
    scores[value] = sum;
  }
}

SoftSums SumsOf(const SymbolSoftBits& dx, const SymbolSoftBits& rx) {
  SoftSums sums;
  for (int i = 0; i < kBitsPerSymbol; ++i) {
    sums.Magnitude += std::fabs(dx[i]) + std::fabs(rx[i]);
    sums.Energy += dx[i] * dx[i] + rx[i] * rx[i];
  }
  return sums;
}

int BestValue(const CodewordScores& scores) {
  int best = 0;
  for (int value = 1; value < kCodewords; ++value) {
    if (scores[value] > scores[best]) {
      best = value;
    }
  }
  return best;
}

}  // namespace tolvik
