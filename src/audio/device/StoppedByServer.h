#pragma once

#include <QAudio>

namespace tolvik {

// Whether a QAudioSource or QAudioSink has stopped with an error: the
// sound server ended its stream (it died, or refused to go on), which Qt
// says in no other way.
template <class AudioStream>
bool StoppedByServer(const AudioStream& stream) {
  return stream.state() == QAudio::StoppedState && stream.error() != QAudio::NoError;
}

}  // namespace tolvik
