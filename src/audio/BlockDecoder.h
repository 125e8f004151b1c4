#pragma once

#include <span>

#include "base/BlockFormat.h"

namespace tolvik {

// The decoder as the block pipeline sees it: one demodulator per mode, fed
// one channel of a block, and the phasing flag that lights the receive lamp.
class BlockDecoder {
 public:
  virtual ~BlockDecoder() = default;
  virtual void DemodulateHf(int channel, std::span<double, kFramesPerBlock> samples) = 0;
  virtual void DemodulateVhf(int channel, std::span<double, kFramesPerBlock> samples) = 0;
  virtual bool Phased(int channel) const = 0;

  // The input has ended or gone digitally silent, which stops the bit clock:
  // a call that waits only for its look-ahead is handed on now.
  virtual void FinishInput(int channel) = 0;
};

}  // namespace tolvik
