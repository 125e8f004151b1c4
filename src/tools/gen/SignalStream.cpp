#include "gen/SignalStream.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tolvik {

namespace {

// Bits modulated at a time: a few milliseconds of audio.
constexpr std::size_t kBitsPerStep = 16;

std::uint64_t SampleCount(double seconds, int sample_rate_hz) {
  return static_cast<std::uint64_t>(std::llround(seconds * sample_rate_hz));
}

// What FskModulator makes of `bits` bits: every sample before the end of
// the last bit, on the same grid (bit count times the bit period).
std::uint64_t ModulatedSampleCount(std::size_t bits, int sample_rate_hz, double bit_rate) {
  const double samples_per_bit = static_cast<double>(sample_rate_hz) / bit_rate;
  return static_cast<std::uint64_t>(std::ceil(static_cast<double>(bits) * samples_per_bit));
}

}  // namespace

SignalStream::SignalStream(std::span<const CallDescription> calls, const SignalOptions& options)
    : options_(options) {
  CheckSignalOptions(options);
  tones_ = TonesFor(options);
  bit_rate_ = ActualBitRate(options);
  const int rate = options.SampleRateHz;
  auto add_silence = [&](double seconds) {
    pieces_.push_back({SampleCount(seconds, rate), std::nullopt});
    total_samples_ += pieces_.back().samples;
  };
  add_silence(options.LeadS);
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (i > 0) {
      add_silence(options.GapS);
    }
    call_bits_.push_back(CallBits(calls[i], options.Vhf));
    const std::uint64_t samples = ModulatedSampleCount(call_bits_.back().size(), rate, bit_rate_);
    CallPlacement placement;
    placement.StartS = static_cast<double>(total_samples_) / rate;
    placement.Bits = static_cast<int>(call_bits_.back().size());
    pieces_.push_back({samples, i});
    total_samples_ += samples;
    placement.EndS = static_cast<double>(total_samples_) / rate;
    placements_.push_back(placement);
  }
  add_silence(options.TrailS);
  if (options.EbN0Db) {
    // The noise level follows the nominal bit rate: Eb is that of a
    // transmitter keeping to its tolerance.
    noise_.emplace(options.Seed, NoiseSigmaForEbN0(options.Amplitude, *options.EbN0Db,
                                                   NominalBitRate(options.Vhf), rate));
  }
}

std::size_t SignalStream::ReadCall(std::size_t call, std::span<double> out) {
  if (!modulator_) {
    // A fresh modulator per call: each transmission keys up on its own.
    modulator_.emplace(tones_.MarkHz, tones_.SpaceHz, bit_rate_, options_.Amplitude,
                       options_.SampleRateHz);
    bits_done_ = 0;
  }
  const std::vector<std::uint8_t>& bits = call_bits_[call];
  if (modulated_start_ == modulated_.size()) {
    modulated_.clear();
    modulated_start_ = 0;
    const std::size_t count = std::min(kBitsPerStep, bits.size() - bits_done_);
    modulator_->Modulate(std::span(bits).subspan(bits_done_, count), modulated_);
    bits_done_ += count;
  }
  const std::size_t count = std::min(out.size(), modulated_.size() - modulated_start_);
  std::copy_n(modulated_.begin() + static_cast<std::ptrdiff_t>(modulated_start_), count,
              out.begin());
  modulated_start_ += count;
  return count;
}

std::size_t SignalStream::Read(std::span<double> out) {
  std::size_t written = 0;
  while (written < out.size() && piece_ < pieces_.size()) {
    const Piece& piece = pieces_[piece_];
    const auto room = static_cast<std::size_t>(
        std::min<std::uint64_t>(out.size() - written, piece.samples - piece_done_));
    std::size_t count = room;
    if (piece.call) {
      count = ReadCall(*piece.call, out.subspan(written, room));
      if (count == 0) {
        throw std::logic_error("a call's length was reckoned wrong");
      }
    } else {
      std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(written), count, 0.0);
    }
    written += count;
    piece_done_ += count;
    if (piece_done_ == piece.samples) {
      if (piece.call &&
          (modulated_start_ != modulated_.size() || bits_done_ != call_bits_[*piece.call].size())) {
        throw std::logic_error("a call's length was reckoned wrong");
      }
      modulator_.reset();
      ++piece_;
      piece_done_ = 0;
    }
  }
  if (noise_) {
    for (double& sample : out.first(written)) {
      sample += noise_->Next();
    }
  }
  return written;
}

}  // namespace tolvik
