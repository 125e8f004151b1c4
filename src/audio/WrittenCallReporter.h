#pragma once

#include <array>

#include "audio/CallObserver.h"
#include "audio/CallOrigin.h"
#include "audio/EnhancedHfChannel.h"
#include "audio/EnhancedVhfChannel.h"
#include "dsc/CallTexts.h"
#include "dsc/DscDecoder.h"
#include "list/ReceiveList.h"

namespace tolvik {

// Tells the receiver's CallObserver about each row its list writes, with
// the symbols of the call behind it: asked by the decoders' relays right
// after a call has been handed to the list, it finds the row the call went
// to (none when the list dropped it) and the symbols in the decoder that
// made it.
class WrittenCallReporter final : public CallHandOnListener {
 public:
  using EnhancedHfChannels = std::array<EnhancedHfChannel, kDecoderChannels>;
  using EnhancedVhfChannels = std::array<EnhancedVhfChannel, kDecoderChannels>;

  // All four must outlive the reporter; they need not be built yet.
  WrittenCallReporter(const ReceiveList& list, const DscDecoder& standard,
                      const EnhancedHfChannels& enhanced_hf,
                      const EnhancedVhfChannels& enhanced_vhf)
      : list_(list), standard_(standard), enhanced_hf_(enhanced_hf), enhanced_vhf_(enhanced_vhf) {}

  // The one observer, or none (nullptr).
  void SetObserver(CallObserver* observer) { observer_ = observer; }

  // A decoder has just handed `texts` to the list.
  void CallHandedOn(const CallOrigin& origin, const CallTexts& texts) override;

 private:
  const ReceiveList& list_;
  const DscDecoder& standard_;               // both channels' calls and texts
  const EnhancedHfChannels& enhanced_hf_;    // each channel's enhanced HF call
  const EnhancedVhfChannels& enhanced_vhf_;  // and its enhanced VHF call

  // The symbols behind `texts` of a channel's enhanced decoder: each keeps
  // its own.
  const DscCall& EnhancedCallOf(int channel, const CallTexts& texts) const;
  // Whether the check character mended a character of that call.
  bool EnhancedRepaired(int channel, const CallTexts& texts) const;
  CallObserver* observer_ = nullptr;
};

}  // namespace tolvik
