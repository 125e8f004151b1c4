#pragma once

#include "dsc/CallSink.h"

namespace tolvik {

// Which decoder made a call: the standard chain (hard bits, DX-or-RX) or the
// enhanced HF decoder (soft decisions, check-character repair).
enum class CallDecoder { Standard, Enhanced };

// Told by a relay, right after the list has taken a call, which decoder
// handed it on.
class CallHandOnListener {
 public:
  virtual ~CallHandOnListener() = default;
  virtual void CallHandedOn(CallDecoder decoder, const CallTexts& call) = 0;
};

// Hands one decoder's calls on to the receive list and notes, just before
// each row is written, that this decoder made it: whoever watches the list
// can then tell the rows apart. A listener, when given, hears of each call
// once the list has taken it.
class CallOriginRelay final : public CallSink {
 public:
  // The references and the listener must outlive the relay.
  CallOriginRelay(CallSink& target, CallDecoder decoder, CallDecoder& last_call_decoder,
                  CallHandOnListener* listener = nullptr)
      : target_(target),
        decoder_(decoder),
        last_call_decoder_(last_call_decoder),
        listener_(listener) {}

  void AddReceiveEntry(const CallTexts& call) override {
    last_call_decoder_ = decoder_;
    target_.AddReceiveEntry(call);
    if (listener_ != nullptr) {
      listener_->CallHandedOn(decoder_, call);
    }
  }

 private:
  CallSink& target_;
  CallDecoder decoder_;
  CallDecoder& last_call_decoder_;
  CallHandOnListener* listener_;
};

}  // namespace tolvik
