#pragma once

namespace tolvik {

// Receives every bit a demodulator decides, in time order, on the decoding
// thread. The symbol synchroniser implements it; tests record the bits.
class BitSink {
 public:
  virtual ~BitSink() = default;
  virtual void PushBit(int channel, int bit) = 0;
};

}  // namespace tolvik
