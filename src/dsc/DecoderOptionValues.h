#pragma once

#include "demod/DecoderMode.h"
#include "dsc/DecoderOptions.h"

namespace tolvik {

// Decoder options held as plain values: what decoder channel 1 runs on, and
// what tests set by hand. A fresh set has the defaults of a new settings
// file: ordinary polarity, automatic polarity and frequency control on, HF.
class DecoderOptionValues final : public DecoderOptions {
 public:
  bool Inverted() const override { return inverted_; }
  void SetInverted(bool inverted) override { inverted_ = inverted; }
  bool AutomaticPolarity() const override { return automatic_polarity_; }
  void SetAutomaticPolarity(bool on) { automatic_polarity_ = on; }
  bool AutomaticFrequencyControl() const override { return automatic_frequency_control_; }
  void SetAutomaticFrequencyControl(bool on) { automatic_frequency_control_ = on; }
  DecoderMode Mode() const override { return mode_; }
  void SetMode(DecoderMode mode) { mode_ = mode; }

 private:
  bool inverted_ = false;                    // bits are inverted before use
  bool automatic_polarity_ = true;           // inverted phasing flips inverted_
  bool automatic_frequency_control_ = true;  // phasing moves the tracked centre
  DecoderMode mode_ = DecoderMode::Hf;       // which demodulator feeds the channel
};

}  // namespace tolvik
