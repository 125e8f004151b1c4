#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace tolvik {

// Bytes at the start of an input that tell a sound file from raw samples.
inline constexpr std::size_t kSoundFileProbeBytes = 16;

// Whether `first_bytes` (the first kSoundFileProbeBytes of an input, or all
// of a shorter one) open a sound file: WAV (RIFF or RF64 with WAVE), FLAC,
// Ogg, AIFF or AIFC, or Sun/NeXT .snd. Only a well-formed start counts, not
// just the four letters, so that raw samples that happen to begin with them
// stay raw.
bool LooksLikeSoundFile(std::span<const unsigned char> first_bytes);

// The number of frames a WAV file's header promises, read from the start of
// the file (its fmt and data chunks): nullopt when `head` is no RIFF/WAVE
// start, does not reach the data chunk, or leaves the length open (a data
// size of 0, or one of nearly 2 GiB and above, as programs write that
// stream a WAV file before they know its length).
std::optional<std::uint64_t> PromisedWavFrames(std::span<const unsigned char> head);

}  // namespace tolvik
