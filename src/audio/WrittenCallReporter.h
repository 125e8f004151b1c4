#pragma once

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
// to (none when the list dropped it) and the decoder channel whose texts
// they were.
class WrittenCallReporter final : public CallHandOnListener {
 public:
  // All four must outlive the reporter; they need not be built yet.
  WrittenCallReporter(const ReceiveList& list, const DscDecoder& standard,
                      const EnhancedHfChannel& enhanced_hf, const EnhancedVhfChannel& enhanced_vhf)
      : list_(list), standard_(standard), enhanced_hf_(enhanced_hf), enhanced_vhf_(enhanced_vhf) {}

  // The one observer, or none (nullptr).
  void SetObserver(CallObserver* observer) { observer_ = observer; }

  // `decoder` has just handed `texts` to the list.
  void CallHandedOn(CallDecoder decoder, const CallTexts& texts) override;

 private:
  const ReceiveList& list_;
  const DscDecoder& standard_;              // both channels' calls and texts
  const EnhancedHfChannel& enhanced_hf_;    // channel 0's enhanced HF call
  const EnhancedVhfChannel& enhanced_vhf_;  // and its enhanced VHF call

  // The symbols behind `texts` of an enhanced decoder: each keeps its own.
  const DscCall& EnhancedCallOf(const CallTexts& texts) const;
  // Whether the check character mended a character of that call.
  bool EnhancedRepaired(const CallTexts& texts) const;
  CallObserver* observer_ = nullptr;
};

}  // namespace tolvik
