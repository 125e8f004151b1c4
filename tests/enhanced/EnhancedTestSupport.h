#pragma once

// Generated audio through the enhanced decoder: what it hands on and shows.

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <vector>

#include "base/BlockFormat.h"
#include "base/SixteenBitSample.h"
#include "base/StatusTextSink.h"
#include "dsc/CallSink.h"
#include "enhanced/EnhancedHfDecoder.h"
#include "enhanced/EnhancedVhfDecoder.h"
#include "gen/CallDescriptionParser.h"
#include "gen/GaussianNoise.h"
#include "gen/SignalGenerator.h"

namespace tolvik {

// Every row and status text the decoder gave, and which rows were mended.
struct EnhancedRun {
  std::vector<CallTexts> Rows;
  std::vector<bool> Repaired;
  std::vector<std::string> Statuses;
  int Syncs = 0;  // "Receiving data..." texts

  bool HasStatus(const std::string& text) const {
    return std::find(Statuses.begin(), Statuses.end(), text) != Statuses.end();
  }
};

// Feeds one enhanced decoder, HF or VHF, and records what it gives.
template <typename Decoder>
class EnhancedRecorderOf final : public CallSink, public StatusTextSink {
 public:
  explicit EnhancedRecorderOf(const EnhancedOptions& options = {})
      : decoder_(*this, *this, options) {}

  // 48 kHz mono samples in 16-bit units, rounded and clipped as a capture
  // would be, in blocks of 4800 (the last one padded with silence).
  void Feed(const std::vector<double>& samples) {
    for (std::size_t start = 0; start < samples.size(); start += kFramesPerBlock) {
      block_.fill(0.0);
      const std::size_t count = std::min<std::size_t>(kFramesPerBlock, samples.size() - start);
      for (std::size_t i = 0; i < count; ++i) {
        block_[i] = RoundToInt16(samples[start + i]);
      }
      decoder_.ProcessBlock(block_);
    }
  }

  EnhancedRun Finish() {
    decoder_.FinishInput();
    return run_;
  }

  Decoder& Decoding() { return decoder_; }

 private:
  void AddReceiveEntry(const CallTexts& call) override {
    run_.Rows.push_back(call);
    run_.Repaired.push_back(decoder_.LastCallRepaired());
  }
  void ShowStatusText(StatusPanel, const std::string& text) override {
    if (text.rfind("Receiving data...", 0) == 0) {
      ++run_.Syncs;
    }
    run_.Statuses.push_back(text);
  }

  Decoder decoder_;
  EnhancedRun run_;
  std::array<double, kFramesPerBlock> block_{};
};

using EnhancedRecorder = EnhancedRecorderOf<EnhancedHfDecoder>;
using EnhancedVhfRecorder = EnhancedRecorderOf<EnhancedVhfDecoder>;

inline EnhancedRun DecodeEnhancedVhf(const std::vector<double>& samples,
                                     const EnhancedOptions& options = {}) {
  EnhancedVhfRecorder recorder(options);
  recorder.Feed(samples);
  return recorder.Finish();
}

inline EnhancedRun DecodeEnhanced(const std::vector<double>& samples,
                                  const EnhancedOptions& options = {}) {
  EnhancedRecorder recorder(options);
  recorder.Feed(samples);
  return recorder.Finish();
}

inline std::vector<CallDescription> Calls(std::initializer_list<const char*> texts) {
  std::vector<CallDescription> calls;
  for (const char* text : texts) {
    calls.push_back(ParseCallDescription(text));
  }
  return calls;
}

// `later` added sample by sample onto `mixed`, which grows to hold it: two
// transmitters heard at once.
inline void AddOnto(std::vector<double>& mixed, const std::vector<double>& later) {
  mixed.resize(std::max(mixed.size(), later.size()), 0.0);
  for (std::size_t i = 0; i < later.size(); ++i) {
    mixed[i] += later[i];
  }
}

// Adds white Gaussian noise at `ebn0_db` for tones of peak `amplitude` at
// `bit_rate` (HF's 100 bit/s unless told).
inline void AddNoise(std::vector<double>& samples, double amplitude, double ebn0_db,
                     std::uint64_t seed, double bit_rate = 100.0) {
  GaussianNoise noise(seed, NoiseSigmaForEbN0(amplitude, ebn0_db, bit_rate, 48000.0));
  for (double& sample : samples) {
    sample += noise.Next();
  }
}

}  // namespace tolvik
