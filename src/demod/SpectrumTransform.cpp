#include "demod/SpectrumTransform.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "demod/DecoderParameters.h"

namespace tolvik {

namespace {

// 2 pi / 1024, the angle between neighbouring twiddle factors.
constexpr double kAngleStep = 0.006135923151542565;
constexpr int kStages = 10;  // 2^10 = 1024

// HF: each window keeps the newest 544 samples of the previous one and
// appends the block's 480.
constexpr int kHfNewSamples = kHfWorkingSamplesPerBlock;
constexpr int kHfKeptSamples = SpectrumTransform::kSize - kHfNewSamples;

}  // namespace

SpectrumTransform::SpectrumTransform() {
  for (int i = 0; i < kHalf; ++i) {
    cosines_[i] = std::cos(kAngleStep * i);
    sines_[i] = -std::sin(kAngleStep * i);
  }
  reversed_[0] = 0;
  for (int half = kHalf, step = 1; step < kSize; half /= 2, step *= 2) {
    for (int j = 0; j < step; ++j) {
      reversed_[j + step] = reversed_[j] + half;
    }
  }
  for (int i = 0; i < kSize; ++i) {
    hann_[i] = 0.5 - 0.5 * std::cos(kAngleStep * i);
  }
}

double SpectrumTransform::BinWidthHz(DecoderMode mode) {
  const int rate_hz = mode == DecoderMode::Vhf ? kVhfWorkingRateHz : kHfWorkingRateHz;
  return static_cast<double>(rate_hz) / kSize;
}

void SpectrumTransform::TakeBlock(DecoderMode mode, const DemodulatorTraces::Trace& mixer_output) {
  FillWindow(mode, mixer_output);
  ApplyWindow();
  Transform();
  MeasureLevels();
  ReorderLevels();
}

void SpectrumTransform::FillWindow(DecoderMode mode, const DemodulatorTraces::Trace& mixer_output) {
  if (mode == DecoderMode::Vhf) {
    // The last 176 samples of the block are not shown.
    std::copy_n(mixer_output.begin(), kSize, window_.begin());
    return;
  }
  std::copy(window_.begin() + kHfNewSamples, window_.end(), window_.begin());
  std::copy_n(mixer_output.begin(), kHfNewSamples, window_.begin() + kHfKeptSamples);
}

void SpectrumTransform::ApplyWindow() {
  for (int i = 0; i < kSize; ++i) {
    re_[i] = window_[i] * hann_[i];
    im_[i] = 0.0;
  }
}

void SpectrumTransform::Transform() {
  // Stage t works on blocks of 2*half: the sum goes to the first half, the
  // difference turned by the twiddle k * 2^t to the second.
  for (int stage = 0; stage < kStages; ++stage) {
    const int half = kHalf >> stage;
    const int stride = 1 << stage;
    for (int block = 0; block < kSize; block += 2 * half) {
      for (int k = 0; k < half; ++k) {
        const int p = block + k;
        const int q = p + half;
        const int m = k * stride;
        const double d_re = re_[p] - re_[q];
        const double d_im = im_[p] - im_[q];
        re_[p] += re_[q];
        im_[p] += im_[q];
        re_[q] = d_re * cosines_[m] - d_im * sines_[m];
        im_[q] = d_re * sines_[m] + d_im * cosines_[m];
      }
    }
  }
}

void SpectrumTransform::MeasureLevels() {
  for (int i = 0; i < kSize; ++i) {
    // A part that is exactly zero stands for no signal in that bin.
    if (re_[i] == 0.0 || im_[i] == 0.0) {
      levels_[i] = 0.0;
    } else {
      levels_[i] = 20.0 * std::log(std::sqrt(re_[i] * re_[i] + im_[i] * im_[i]));
    }
  }
}

void SpectrumTransform::ReorderLevels() {
  for (int i = 0; i < kSize; ++i) {
    if (i < reversed_[i]) {
      std::swap(levels_[i], levels_[reversed_[i]]);
    }
  }
}

}  // namespace tolvik
