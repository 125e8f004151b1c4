#include "audio/input/StreamSource.h"

#include <array>

#include "audio/input/SoundFileHeader.h"
#include "audio/input/SoundFileSource.h"

namespace tolvik {

StreamSource::StreamSource(std::FILE* stream, RawStreamFormat raw_format, InputChannels channels)
    : stream_(stream) {
  std::array<unsigned char, kSoundFileProbeBytes> first_bytes{};
  const std::size_t count = stream_.Read(first_bytes);
  stream_.Seek(0);  // within the kept start: always possible
  sound_file_ = LooksLikeSoundFile(std::span(first_bytes).first(count));
  if (sound_file_) {
    input_ = std::make_unique<SoundFileSource>(stream_, channels);
  } else {
    input_ = std::make_unique<RawPcmSource>(stream_, raw_format, channels);
  }
}

}  // namespace tolvik
