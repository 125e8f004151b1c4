#include "audio/Receiver.h"

#include <string>

#include "demod/CentreFrequencySetup.h"

namespace tolvik {

Receiver::Receiver(AppSettings& settings, ReceiverHosts hosts)
    : settings_(settings),
      decoder_options_(settings),
      list_options_(settings),
      status_(hosts.status),
      display_constants_(DisplayConstantsOf(DecoderModeFromSetting(settings.DecVHF))),
      list_(list_options_, hosts.clock, hosts.alerts),
      ageing_(list_, list_options_, hosts.clock),
      written_calls_(list_, dsc_, enhanced_, enhanced_vhf_),
      standard_calls_(list_, CallDecoder::Standard, last_call_decoder_, &written_calls_),
      enhanced_calls_(list_, CallDecoder::Enhanced, last_call_decoder_, &written_calls_),
      dsc_(decoder_options_, tunings_, hosts.status, standard_calls_, hosts.receptions),
      enhanced_(settings, enhanced_calls_, hosts.status),
      enhanced_vhf_(settings, enhanced_calls_, hosts.status),
      enhanced_running_(settings.DecENH),
      enhanced_vhf_running_(settings.DecVHF),
      hf_(tunings_, traces_, *this),
      vhf_(traces_, *this),
      pipeline_({settings, *this, traces_, hosts.pipeline, hosts.status, hosts.clock,
                 [this] { ageing_.AgeReceiveList(); }}) {
  SetUpDecoderMode();
  for (ChannelTuning& tuning : tunings_) {
    SetCentreFromDecFc(tuning, settings_.DecFc);
  }
}

void Receiver::SetUpDecoderMode() {
  dsc_.AbandonReception(kDecodedChannel);
  if (enhanced_running_) {
    FinishEnhanced();
  }
  display_constants_ = DisplayConstantsOf(DecoderModeFromSetting(settings_.DecVHF));
  status_.ShowStatusText(StatusPanel::Mode, std::string(display_constants_.StatusText));
}

void Receiver::ApplyCentreFrequency() {
  SetCentreFromDecFc(tunings_[kDecodedChannel], settings_.DecFc);
}

void Receiver::FinishInput() {
  FinishInput(kDecodedChannel);
}

bool Receiver::LastCallRepaired() const {
  if (last_call_decoder_ != CallDecoder::Enhanced) {
    return false;
  }
  // Asked as the row is written, while the decoder that made it still runs.
  return enhanced_vhf_running_ ? enhanced_vhf_.LastCallRepaired() : enhanced_.LastCallRepaired();
}

void Receiver::FinishEnhanced() {
  if (enhanced_vhf_running_) {
    enhanced_vhf_.FinishInput();
  } else {
    enhanced_.FinishInput();
  }
}

void Receiver::FollowDecoderChoice() {
  const bool enhanced = settings_.DecENH;
  const bool vhf = settings_.DecVHF;
  if (enhanced == enhanced_running_ && (!enhanced || vhf == enhanced_vhf_running_)) {
    return;
  }
  if (enhanced_running_) {
    FinishEnhanced();
  } else {
    dsc_.FinishInput(kDecodedChannel);
    dsc_.AbandonReception(kDecodedChannel);
  }
  enhanced_running_ = enhanced;
  enhanced_vhf_running_ = vhf;
}

void Receiver::DemodulateHf(int channel, std::span<double, kFramesPerBlock> samples) {
  FollowDecoderChoice();
  hf_.DemodulateHf(channel, samples);
  if (RunsEnhanced(channel)) {
    enhanced_.ProcessWorkingSamples(samples.first<kHfWorkingSamplesPerBlock>());
  }
}

void Receiver::DemodulateVhf(int channel, std::span<double, kFramesPerBlock> samples) {
  FollowDecoderChoice();
  vhf_.DemodulateVhf(channel, samples);
  if (RunsEnhanced(channel)) {
    enhanced_vhf_.ProcessWorkingSamples(vhf_.DecimatedSamples());
  }
}

bool Receiver::Phased(int channel) const {
  if (!RunsEnhanced(channel)) {
    return dsc_.Phased(channel);
  }
  return enhanced_vhf_running_ ? enhanced_vhf_.Phased() : enhanced_.Phased();
}

void Receiver::FinishInput(int channel) {
  FollowDecoderChoice();
  if (RunsEnhanced(channel)) {
    FinishEnhanced();
  } else {
    dsc_.FinishInput(channel);
  }
}

void Receiver::PushBit(int channel, int bit) {
  // The enhanced decoder reads the working samples instead.
  if (!RunsEnhanced(channel)) {
    dsc_.PushBit(channel, bit);
  }
}

}  // namespace tolvik
