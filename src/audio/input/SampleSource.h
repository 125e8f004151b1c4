#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace tolvik {

// An input that ended before the length its header promised.
struct CutShortInput {
  double SecondsRead = 0;      // of the input's own audio
  double SecondsPromised = 0;  // by its header
};

// Which of an input's channels a source delivers: the left one alone, or
// the left and the right one interleaved in frames of two samples (left
// first), for decoding both.
enum class InputChannels { Left, LeftAndRight };

inline int SamplesPerFrame(InputChannels channels) {
  return channels == InputChannels::LeftAndRight ? 2 : 1;
}

// A recorded or streamed input, delivered as the channels Tolvik decodes,
// at the capture rate of 48000 Hz, in 16-bit sample units (-32768..32767,
// not yet rounded).
class SampleSource {
 public:
  virtual ~SampleSource() = default;

  // Fills the start of `out` with whole frames and returns how many samples
  // were written; 0 means the input has ended.
  virtual std::size_t Read(std::span<double> out) = 0;

  // What each frame Read delivers holds.
  virtual InputChannels Channels() const { return InputChannels::Left; }

  // Length of the input in seconds, when known in advance.
  virtual std::optional<double> DurationSeconds() const { return std::nullopt; }

  // Once Read has returned 0: how far short of its header's promise the
  // input ended, if it did.
  virtual std::optional<CutShortInput> CutShort() const { return std::nullopt; }
};

}  // namespace tolvik
