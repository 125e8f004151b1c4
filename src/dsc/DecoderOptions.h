#pragma once

#include "demod/DecoderMode.h"

namespace tolvik {

// The options one decoder channel runs on. The synchroniser asks for them
// afresh at every bit, so a change takes effect at the next bit.
class DecoderOptions {
 public:
  virtual ~DecoderOptions() = default;

  // Every decided bit is inverted before it enters the bit window.
  virtual bool Inverted() const = 0;
  // Automatic polarity reverses the polarity when it finds an inverted call;
  // the reversal stays in force for later calls.
  virtual void SetInverted(bool inverted) = 0;

  // Inverted phasing is recognised and the polarity reversed.
  virtual bool AutomaticPolarity() const = 0;
  // The frequency error measured at phasing moves the HF mixer's centre.
  virtual bool AutomaticFrequencyControl() const = 0;
  // Which demodulator feeds the channel; the frequency error is shown in
  // HF mode only.
  virtual DecoderMode Mode() const = 0;
};

}  // namespace tolvik
