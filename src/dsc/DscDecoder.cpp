#include "dsc/DscDecoder.h"

#include <stdexcept>

#include "dsc/CallAssembler.h"
#include "dsc/ReceptionStatusTexts.h"
#include "dsc/SymbolSynchroniser.h"

namespace tolvik {

// The synchroniser and the assembler of one channel call each other: the
// synchroniser hands characters to the assembler, the assembler ends
// receptions through the synchroniser. The assembler is built first and
// keeps a reference to the synchroniser, which it uses only once bits flow.
struct DscDecoder::Channel {
  Channel(DecoderOptions& options, ChannelTuning& tuning, StatusTextSink& status, CallSink& calls,
          ReceptionObserver* receptions, bool& enhanced_position)
      : status_texts(status, receptions),
        assembler(synchroniser, status_texts, calls, enhanced_position),
        synchroniser(options, tuning, status, assembler) {}

  ReceptionStatusTexts status_texts;  // how receptions end, as status texts
  CallAssembler assembler;            // characters to the call and its texts
  SymbolSynchroniser synchroniser;    // bits to symbols, phasing, AFC, polarity
};

DscDecoder::DscDecoder(DecoderOptions& channel0_options, ChannelTunings& tunings,
                       StatusTextSink& status, CallSink& calls, ReceptionObserver* receptions)
    : DscDecoder({&channel0_options, &channel1_options_}, tunings, {&status, &status},
                 {&calls, &calls}, receptions) {}

DscDecoder::DscDecoder(const PerChannelOptions& options, ChannelTunings& tunings,
                       const PerChannelStatus& status, const PerChannelCalls& calls,
                       ReceptionObserver* receptions) {
  for (int channel = 0; channel < kDecoderChannels; ++channel) {
    channels_[channel] =
        std::make_unique<Channel>(*options[channel], tunings[channel], *status[channel],
                                  *calls[channel], receptions, enhanced_position_);
  }
}

DscDecoder::~DscDecoder() = default;

DscDecoder::Channel* DscDecoder::Find(int channel) {
  if (channel < 0 || channel >= kDecoderChannels) {
    return nullptr;
  }
  return channels_[channel].get();
}

const DscDecoder::Channel& DscDecoder::At(int channel) const {
  if (channel < 0 || channel >= kDecoderChannels) {
    throw std::out_of_range("no such decoder channel");
  }
  return *channels_[channel];
}

void DscDecoder::PushBit(int channel, int bit) {
  if (Channel* c = Find(channel)) {
    c->synchroniser.PushBit(bit);
  }
}

bool DscDecoder::Phased(int channel) const {
  if (channel < 0 || channel >= kDecoderChannels) {
    return false;
  }
  return channels_[channel]->synchroniser.Phased();
}

void DscDecoder::AbandonReception(int channel) {
  if (Channel* c = Find(channel)) {
    c->synchroniser.AbandonReception();
  }
}

void DscDecoder::FinishInput(int channel) {
  Channel* c = Find(channel);
  if (c != nullptr && c->synchroniser.Phased()) {
    c->assembler.FinishInput();
  }
}

const DscCall& DscDecoder::Call(int channel) const {
  return At(channel).assembler.Call();
}

const CallTexts& DscDecoder::Texts(int channel) const {
  return At(channel).assembler.Texts();
}

}  // namespace tolvik
