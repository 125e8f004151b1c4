#pragma once

namespace tolvik {

// Which channels of a stereo input the receiver decodes: the left one into
// decoder channel 0, the right one into decoder channel 1.
enum class DecodedChannels { Left, Right, Both };

inline bool DecodesChannel(DecodedChannels decoded, int channel) {
  switch (decoded) {
    case DecodedChannels::Left:
      return channel == 0;
    case DecodedChannels::Right:
      return channel == 1;
    case DecodedChannels::Both:
      return channel == 0 || channel == 1;
  }
  return false;
}

}  // namespace tolvik
