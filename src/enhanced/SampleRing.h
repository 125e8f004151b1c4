#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

#include "enhanced/EnhancedParameters.h"

namespace tolvik {

// The most recent kWorkingRingSamples values of a stream, addressed by their
// absolute sample index. Sized once at construction; pushing never allocates.
class SampleRing {
 public:
  SampleRing() : values_(kWorkingRingSamples, 0.0) {}

  // Forgets everything; the next value pushed gets index `next`.
  void Restart(SampleIndex next) {
    next_ = next;
    first_ = next;
  }

  void Push(double value) {
    values_[Slot(next_)] = value;
    ++next_;
    if (next_ - first_ > kWorkingRingSamples) {
      first_ = next_ - kWorkingRingSamples;
    }
  }

  // Index the next value will get; the newest held is NextIndex() - 1.
  SampleIndex NextIndex() const { return next_; }
  bool Holds(SampleIndex index) const { return index >= first_ && index < next_; }

  double At(SampleIndex index) const { return values_[Slot(index)]; }

  // Linear interpolation at a fractional index; both neighbours must be held.
  double Interpolated(double time) const {
    const double whole = std::floor(time);
    const auto index = static_cast<SampleIndex>(whole);
    const double fraction = time - whole;
    return At(index) * (1.0 - fraction) + At(index + 1) * fraction;
  }

  // Whether Interpolated(time) may be read.
  bool HoldsInterpolated(double time) const {
    const auto index = static_cast<SampleIndex>(std::floor(time));
    return Holds(index) && Holds(index + 1);
  }

 private:
  static std::size_t Slot(SampleIndex index) {
    return static_cast<std::size_t>(index) & (kWorkingRingSamples - 1);
  }
  static_assert((kWorkingRingSamples & (kWorkingRingSamples - 1)) == 0);

  std::vector<double> values_;  // kWorkingRingSamples values, by index modulo the size
  SampleIndex next_ = 0;        // index of the next value pushed
  SampleIndex first_ = 0;       // oldest index still held
};

}  // namespace tolvik
