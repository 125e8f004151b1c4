#pragma once

#include <array>
#include <span>

#include "base/BlockFormat.h"
#include "base/StatusTextSink.h"
#include "demod/AntiAliasFilter.h"
#include "demod/DecoderParameters.h"
#include "dsc/CallSink.h"
#include "dsc/DscCall.h"
#include "enhanced/CodewordMetrics.h"
#include "enhanced/ContinuousPhaseDetector.h"
#include "enhanced/EnhancedCallAssembler.h"
#include "enhanced/EnhancedOptions.h"
#include "enhanced/SampleRing.h"
#include "enhanced/SoftBitClock.h"
#include "enhanced/SoftSymbolRing.h"
#include "enhanced/SyncDetector.h"
#include "enhanced/SyncTemplate.h"

namespace tolvik {

// The enhanced VHF DSC decoder of one channel: soft decisions from the audio
// to the call, beside the standard VHF chain and with its status texts,
// interpreter and rows.
//
// Per working sample (the standard VHF chain's anti-alias filter and every
// fourth sample, 12 kHz, either its own or the ones the standard VHF
// demodulator has already made) the continuous-phase detector gives a soft value
// and an envelope from three bits of signal; the sync detector looks for the
// dot-and-phasing template in them with either polarity. The tones are fixed
// at VHF, so the values the sync found are those the reception reads: at a
// sync the template's correlation either side of its peak gives the timing,
// its known bits the amplitude and noise, and a soft bit clock reads one soft
// bit per bit from then on. Every second symbol completes a character's DX
// and RX copy, whose codeword scores go to the same call assembler and gate
// as on HF, weighed there as Gaussian log-likelihoods. A stronger new sync
// (at least half the running one's strength) takes over from a running
// reception.
//
// Everything is sized at construction; nothing is allocated per block or bit.
class EnhancedVhfDecoder {
 public:
  // All references must outlive the decoder. Of the options, the gate and
  // the polarity apply; the centre and the offset bank are HF's.
  EnhancedVhfDecoder(CallSink& calls, StatusTextSink& status, const EnhancedOptions& options = {});

  EnhancedVhfDecoder(const EnhancedVhfDecoder&) = delete;
  EnhancedVhfDecoder& operator=(const EnhancedVhfDecoder&) = delete;

  // One block of channel 0 as captured (48 kHz, 16-bit units); not modified.
  void ProcessBlock(std::span<const double, kFramesPerBlock> channel0);

  // One block's 1200 working samples when the standard VHF demodulator has
  // already filtered and decimated the block: the same input without
  // filtering it twice.
  void ProcessWorkingSamples(std::span<const double, kVhfWorkingSamplesPerBlock> working);

  // The input has ended: a sync still being held is taken, a call that
  // passed its gate and waits only for its look-ahead is handed on now, and
  // any other reception is dropped without a message.
  void FinishInput();

  // Takes new options into use: the polarity from the next working sample,
  // the gate from the next reception.
  void SetOptions(const EnhancedOptions& options);

  // A reception is running (the receive lamp).
  bool Phased() const { return receiving_; }

  bool LastCallRepaired() const { return assembler_.LastCallRepaired(); }
  const CheckOutcome& LastCallOutcome() const { return assembler_.LastCallOutcome(); }
  const DscCall& Call() const { return assembler_.Call(); }
  // The texts of the last call handed on, the very object the sink was given.
  const CallTexts& Texts() const { return assembler_.Texts(); }
  bool EnhancedPosition() const { return enhanced_position_; }

  // Whether the running reception, or the last one, was sent with inverted
  // polarity; false before the first reception.
  bool ReceptionInverted() const { return clock_.Polarity() < 0; }

 private:
  void ProcessWorkingSample(double x);
  SyncEvent FullRate(const SyncEvent& search) const;
  void OnSync(const SyncEvent& sync);
  void StartReception(const SyncEvent& sync);
  double TemplateCorrelation(SampleIndex end) const;
  void RunReception();
  void OnSoftBit(double soft_bit);
  void CharacterStep(int rx_symbol);

  StatusTextSink& status_;
  EnhancedOptions options_;
  bool enhanced_position_ = false;  // written by the interpreter's position decoding

  AntiAliasFilter anti_alias_;  // 48 kHz low-pass ahead of decimation (ProcessBlock only)
  SampleIndex next_sample_ = 0;
  ContinuousPhaseDetector detector_;
  SampleRing soft_;  // the detector's soft values, by working-sample index

  SyncTemplate template_;
  SyncDetector sync_;  // on every second working sample

  // The running reception.
  bool receiving_ = false;
  double reception_strength_ = 0.0;  // |num| of its sync
  double variance_ = 1.0;            // of its soft bits, measured on the template
  SoftBitClock clock_;
  SoftSymbolRing<1> symbols_;  // the last symbols' soft bits

  CodewordMetrics metrics_;
  CodewordScores dx_scores_{};
  CodewordScores rx_scores_{};
  CodewordScores dx_likelihood_{};
  CodewordScores rx_likelihood_{};
  EnhancedCallAssembler assembler_;
};

}  // namespace tolvik
