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
      dsc_(decoder_options_, tunings_, hosts.status, list_, hosts.receptions),
      hf_(tunings_, traces_, dsc_),
      vhf_(traces_, dsc_),
      pipeline_({settings, *this, traces_, hosts.pipeline, hosts.status, hosts.clock,
                 [this] { ageing_.AgeReceiveList(); }}) {
  SetUpDecoderMode();
  for (ChannelTuning& tuning : tunings_) {
    SetCentreFromDecFc(tuning, settings_.DecFc);
  }
}

void Receiver::SetUpDecoderMode() {
  dsc_.AbandonReception(kDecodedChannel);
  display_constants_ = DisplayConstantsOf(DecoderModeFromSetting(settings_.DecVHF));
  status_.ShowStatusText(StatusPanel::Mode, std::string(display_constants_.StatusText));
}

void Receiver::ApplyCentreFrequency() {
  SetCentreFromDecFc(tunings_[kDecodedChannel], settings_.DecFc);
}

void Receiver::FinishInput() {
  dsc_.FinishInput(kDecodedChannel);
}

void Receiver::DemodulateHf(int channel, std::span<double, kFramesPerBlock> samples) {
  hf_.DemodulateHf(channel, samples);
}

void Receiver::DemodulateVhf(int channel, std::span<double, kFramesPerBlock> samples) {
  vhf_.DemodulateVhf(channel, samples);
}

}  // namespace tolvik
