#pragma once

#include "dsc/CallSink.h"

namespace tolvik {

// Which decoder made a call: the standard chain (hard bits, DX-or-RX) or the
// enhanced HF decoder (soft decisions, check-character repair).
enum class CallDecoder { Standard, Enhanced };

// Hands one decoder's calls on to the receive list and notes, just before
// each row is written, that this decoder made it: whoever watches the list
// can then tell the rows apart.
class CallOriginRelay final : public CallSink {
 public:
  // Both references must outlive the relay.
  CallOriginRelay(CallSink& target, CallDecoder decoder, CallDecoder& last_call_decoder)
      : target_(target), decoder_(decoder), last_call_decoder_(last_call_decoder) {}

  void AddReceiveEntry(const CallTexts& call) override {
    last_call_decoder_ = decoder_;
    target_.AddReceiveEntry(call);
  }

 private:
  CallSink& target_;
  CallDecoder decoder_;
  CallDecoder& last_call_decoder_;
};

}  // namespace tolvik
