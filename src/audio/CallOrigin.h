#pragma once

#include "dsc/CallSink.h"

namespace tolvik {

// Which decoder made a call: the standard chain (hard bits, DX-or-RX) or the
// enhanced HF decoder (soft decisions, check-character repair).
enum class CallDecoder { Standard, Enhanced };

// Which decoder made a call, on which decoder channel (0 left, 1 right).
struct CallOrigin {
  CallDecoder Decoder = CallDecoder::Standard;
  int Channel = 0;
};

// Told by a relay, right after the list has taken a call, where it came
// from.
class CallHandOnListener {
 public:
  virtual ~CallHandOnListener() = default;
  virtual void CallHandedOn(const CallOrigin& origin, const CallTexts& call) = 0;
};

// Hands one decoder channel's calls on to the receive list and notes, just
// before each row is written, where the call came from: whoever watches the
// list can then tell the rows apart. A listener, when given, hears of each
// call once the list has taken it.
class CallOriginRelay final : public CallSink {
 public:
  // The references and the listener must outlive the relay.
  CallOriginRelay(CallSink& target, CallOrigin origin, CallOrigin& last_origin,
                  CallHandOnListener* listener = nullptr)
      : target_(target), origin_(origin), last_origin_(last_origin), listener_(listener) {}

  void AddReceiveEntry(const CallTexts& call) override {
    last_origin_ = origin_;
    target_.AddReceiveEntry(call);
    if (listener_ != nullptr) {
      listener_->CallHandedOn(origin_, call);
    }
  }

 private:
  CallSink& target_;
  CallOrigin origin_;
  CallOrigin& last_origin_;
  CallHandOnListener* listener_;
};

}  // namespace tolvik
