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
      written_calls_(list_, dsc_, enhanced_),
      standard_calls_(list_, CallDecoder::Standard, last_call_decoder_, &written_calls_),
      enhanced_calls_(list_, CallDecoder::Enhanced, last_call_decoder_, &written_calls_),
      dsc_(decoder_options_, tunings_, hosts.status, standard_calls_, hosts.receptions),
      enhanced_(settings, enhanced_calls_, hosts.status),
      enhanced_running_(settings.DecENH && !settings.DecVHF),
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
    enhanced_.FinishInput();
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
  return last_call_decoder_ == CallDecoder::Enhanced && enhanced_.LastCallRepaired();
}

void Receiver::FollowDecoderChoice() {
  const bool enhanced = settings_.DecENH && !settings_.DecVHF;
  if (enhanced == enhanced_running_) {
    return;
  }
  if (enhanced) {
    dsc_.FinishInput(kDecodedChannel);
    dsc_.AbandonReception(kDecodedChannel);
  } else {
    enhanced_.FinishInput();
  }
  enhanced_running_ = enhanced;
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
}

bool Receiver::Phased(int channel) const {
  return RunsEnhanced(channel) ? enhanced_.Phased() : dsc_.Phased(channel);
}

void Receiver::FinishInput(int channel) {
  FollowDecoderChoice();
  if (RunsEnhanced(channel)) {
    enhanced_.FinishInput();
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
