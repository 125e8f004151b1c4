#include "audio/Receiver.h"

#include <string>

#include "demod/CentreFrequencySetup.h"

namespace tolvik {

namespace {

StatusTextSink& RightStatus(const ReceiverHosts& hosts) {
  return hosts.right_status != nullptr ? *hosts.right_status : hosts.status;
}

}  // namespace

Receiver::Receiver(AppSettings& settings, ReceiverHosts hosts)
    : settings_(settings),
      right_inverted_(settings.DecINV),
      decoder_options_(settings),
      right_options_(settings, right_inverted_),
      list_options_(settings),
      status_(hosts.status),
      display_constants_(DisplayConstantsOf(DecoderModeFromSetting(settings.DecVHF))),
      list_(list_options_, hosts.clock, hosts.alerts),
      ageing_(list_, list_options_, hosts.clock),
      written_calls_(list_, dsc_, enhanced_, enhanced_vhf_),
      standard_calls_{{{list_, {CallDecoder::Standard, 0}, last_origin_, &written_calls_},
                       {list_, {CallDecoder::Standard, 1}, last_origin_, &written_calls_}}},
      enhanced_calls_{{{list_, {CallDecoder::Enhanced, 0}, last_origin_, &written_calls_},
                       {list_, {CallDecoder::Enhanced, 1}, last_origin_, &written_calls_}}},
      dsc_({&decoder_options_, &right_options_}, tunings_, {&hosts.status, &RightStatus(hosts)},
           {&standard_calls_[0], &standard_calls_[1]}, hosts.receptions),
      enhanced_{{{settings, decoder_options_, enhanced_calls_[0], hosts.status},
                 {settings, right_options_, enhanced_calls_[1], RightStatus(hosts)}}},
      enhanced_vhf_{{{decoder_options_, enhanced_calls_[0], hosts.status},
                     {right_options_, enhanced_calls_[1], RightStatus(hosts)}}},
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
  for (int channel = 0; channel < kDecoderChannels; ++channel) {
    dsc_.AbandonReception(channel);
    if (enhanced_running_) {
      FinishEnhanced(channel);
    }
  }
  display_constants_ = DisplayConstantsOf(DecoderModeFromSetting(settings_.DecVHF));
  status_.ShowStatusText(StatusPanel::Mode, std::string(display_constants_.StatusText));
}

void Receiver::ApplyCentreFrequency() {
  for (ChannelTuning& tuning : tunings_) {
    SetCentreFromDecFc(tuning, settings_.DecFc);
  }
}

void Receiver::SetStrictGate(bool strict) {
  for (int channel = 0; channel < kDecoderChannels; ++channel) {
    enhanced_[channel].SetStrictGate(strict);
    enhanced_vhf_[channel].SetStrictGate(strict);
  }
}

void Receiver::FinishInput() {
  for (int channel = 0; channel < kDecoderChannels; ++channel) {
    if (DecodesChannel(pipeline_.Decoded(), channel)) {
      FinishInput(channel);
    }
  }
}

bool Receiver::LastCallRepaired() const {
  if (last_origin_.Decoder != CallDecoder::Enhanced) {
    return false;
  }
  // Asked as the row is written, while the decoder that made it still runs.
  const int channel = last_origin_.Channel;
  return enhanced_vhf_running_ ? enhanced_vhf_[channel].LastCallRepaired()
                               : enhanced_[channel].LastCallRepaired();
}

void Receiver::FinishEnhanced(int channel) {
  if (enhanced_vhf_running_) {
    enhanced_vhf_[channel].FinishInput();
  } else {
    enhanced_[channel].FinishInput();
  }
}

void Receiver::FollowDecoderChoice() {
  const bool enhanced = settings_.DecENH;
  const bool vhf = settings_.DecVHF;
  if (enhanced == enhanced_running_ && (!enhanced || vhf == enhanced_vhf_running_)) {
    return;
  }
  for (int channel = 0; channel < kDecoderChannels; ++channel) {
    if (enhanced_running_) {
      FinishEnhanced(channel);
    } else {
      dsc_.FinishInput(channel);
      dsc_.AbandonReception(channel);
    }
  }
  enhanced_running_ = enhanced;
  enhanced_vhf_running_ = vhf;
}

void Receiver::DemodulateHf(int channel, std::span<double, kFramesPerBlock> samples) {
  FollowDecoderChoice();
  hf_.DemodulateHf(channel, samples);
  if (enhanced_running_) {
    enhanced_[channel].ProcessWorkingSamples(samples.first<kHfWorkingSamplesPerBlock>());
  }
}

void Receiver::DemodulateVhf(int channel, std::span<double, kFramesPerBlock> samples) {
  FollowDecoderChoice();
  vhf_.DemodulateVhf(channel, samples);
  if (enhanced_running_) {
    enhanced_vhf_[channel].ProcessWorkingSamples(vhf_.DecimatedSamples());
  }
}

bool Receiver::Phased(int channel) const {
  if (!enhanced_running_) {
    return dsc_.Phased(channel);
  }
  return enhanced_vhf_running_ ? enhanced_vhf_[channel].Phased() : enhanced_[channel].Phased();
}

void Receiver::FinishInput(int channel) {
  FollowDecoderChoice();
  if (enhanced_running_) {
    FinishEnhanced(channel);
  } else {
    dsc_.FinishInput(channel);
  }
}

void Receiver::PushBit(int channel, int bit) {
  // The enhanced decoder reads the working samples instead.
  if (!enhanced_running_) {
    dsc_.PushBit(channel, bit);
  }
}

}  // namespace tolvik
