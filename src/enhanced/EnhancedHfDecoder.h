#pragma once

#include <array>
#include <optional>
#include <span>

#include "base/BlockFormat.h"
#include "base/StatusTextSink.h"
#include "demod/AntiAliasFilter.h"
#include "demod/DecoderParameters.h"
#include "dsc/CallSink.h"
#include "dsc/DscCall.h"
#include "enhanced/CodewordMetrics.h"
#include "enhanced/EnhancedCallAssembler.h"
#include "enhanced/EnhancedOptions.h"
#include "enhanced/NoncoherentBitLikelihood.h"
#include "enhanced/OffsetBank.h"
#include "enhanced/SampleRing.h"
#include "enhanced/SoftBitClock.h"
#include "enhanced/SoftSymbolRing.h"
#include "enhanced/SyncDetector.h"
#include "enhanced/SyncTemplate.h"
#include "enhanced/ToneFilterPair.h"

namespace tolvik {

// The enhanced HF/MF DSC decoder of one channel: soft decisions from the
// audio to the call, beside the standard chain and with its status texts,
// interpreter and rows.
//
// Per working sample (the standard chain's anti-alias filter and decimation
// to 4800 Hz): matched filters of the two tones give a soft value and an
// envelope; the sync detector looks for the dot-and-phasing template with
// either polarity. At a sync the offset bank picks the tone pair's offset and
// the template's timing from the kept working samples, the template gives the
// amplitude and noise (of the soft values, and of the tone envelopes), and the
// reception's own tone filters catch up from the ring. A soft bit clock then
// reads one soft bit per bit, and the two envelopes at the same instant give
// its exact log-likelihood ratio; every second symbol completes a
// character's DX and RX copy, whose codeword scores (from the soft bits, to
// decide) and log-likelihoods (from the ratios, for the gate) go to the call
// assembler. A stronger new sync (at least half the running one's
// strength) takes over from a running reception.
//
// Everything is sized at construction; nothing is allocated per block or bit.
class EnhancedHfDecoder {
 public:
  // All references must outlive the decoder.
  EnhancedHfDecoder(CallSink& calls, StatusTextSink& status, const EnhancedOptions& options = {});

  EnhancedHfDecoder(const EnhancedHfDecoder&) = delete;
  EnhancedHfDecoder& operator=(const EnhancedHfDecoder&) = delete;

  // One block of channel 0 as captured (48 kHz, 16-bit units); not modified.
  void ProcessBlock(std::span<const double, kFramesPerBlock> channel0);

  // One block's 480 working samples when the standard HF demodulator has
  // already filtered and decimated the block (its samples[0..479]): the same
  // input without filtering it twice.
  void ProcessWorkingSamples(std::span<const double, kHfWorkingSamplesPerBlock> working);

  // The input has ended (a file, digital silence): a sync still being held
  // is taken, a call that passed its gate and waits only for its look-ahead
  // is handed on now, and any other reception is dropped without a message.
  void FinishInput();

  // Takes new options into use: the centre and polarity from the next
  // working sample, the gate from the next reception.
  void SetOptions(const EnhancedOptions& options);

  // A reception is running (the receive lamp).
  bool Phased() const { return receiving_; }

  // The tone pair's offset above the centre found at the last sync, in Hz.
  double FrequencyError() const { return frequency_error_hz_; }

  // Whether the call last handed on had a character mended by the check.
  bool LastCallRepaired() const { return assembler_.LastCallRepaired(); }

  // The check gate's verdict and posterior for the call last handed on.
  const CheckOutcome& LastCallOutcome() const { return assembler_.LastCallOutcome(); }

  const DscCall& Call() const { return assembler_.Call(); }
  // The texts of the last call handed on, the very object the sink was given.
  const CallTexts& Texts() const { return assembler_.Texts(); }
  bool EnhancedPosition() const { return enhanced_position_; }

  // Whether the running reception, or the last one, was sent with inverted
  // polarity (as its sync found it); false before the first reception.
  bool ReceptionInverted() const { return clock_.Polarity() < 0; }

 private:
  void ProcessWorkingSample(double x);
  void OnSync(const SyncEvent& sync);
  void StartReception(const SyncEvent& sync, const OffsetEstimate& estimate);
  void RunReception();
  void OnSoftBit(double soft_bit, double half_ratio);
  void CharacterStep(int rx_symbol);
  void ShowReceivingText();

  StatusTextSink& status_;
  EnhancedOptions options_;
  bool enhanced_position_ = false;  // written by the interpreter's position decoding

  AntiAliasFilter anti_alias_;   // 48 kHz low-pass ahead of decimation
  SampleIndex next_sample_ = 0;  // index of the next working sample
  SampleRing working_;           // working samples, for re-filtering at a sync

  SyncTemplate template_;
  ToneFilterPair search_tones_;  // on the centre, for the sync search
  SyncDetector sync_;
  OffsetBank offset_bank_;

  // The running reception.
  bool receiving_ = false;
  double reception_strength_ = 0.0;  // |num| of its sync
  double frequency_error_hz_ = 0.0;
  int polarity_ = 1;                // of the reception: +1, or -1 with the tones swapped
  ToneFilterPair reception_tones_;  // at the offset found
  SampleRing reception_soft_;       // their soft values, by working-sample index
  SampleRing reception_envelope_;   // and their envelopes
  SoftBitClock clock_;
  NoncoherentBitLikelihood likelihood_;
  // The last symbols' soft bits (value 0) and their bits' half
  // log-likelihood ratios (value 1).
  SoftSymbolRing<2> symbols_;

  CodewordMetrics metrics_;
  CodewordScores dx_scores_{};
  CodewordScores rx_scores_{};
  CodewordScores dx_likelihood_{};  // log-likelihoods of the DX copy's codewords
  CodewordScores rx_likelihood_{};
  EnhancedCallAssembler assembler_;
};

}  // namespace tolvik
