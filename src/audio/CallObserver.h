#pragma once

#include "audio/CallOrigin.h"
#include "dsc/DistressKind.h"
#include "dsc/DscCall.h"
#include "list/ReceiveEntry.h"

namespace tolvik {

// One call just written to the receive list, with what its row does not
// keep: the symbols it was read from, which decoder made it, on which
// decoder channel, and whether the check character mended one of its
// characters (only the enhanced decoders mend). The references hold only
// during the notification.
struct WrittenCall {
  const DscCall& symbols;
  const ReceiveEntry& row;
  DistressKind kind;
  CallDecoder decoder;
  int channel;
  bool repaired = false;
};

// Told of every row the receiver's list writes, right after it is written
// and on the decoding thread: outputs (NMEA, logs) take the calls from here.
// A call the list drops (no information) is not told. An observer must not
// block: whatever may wait (a network, a disk) belongs on its own thread or
// behind a non-blocking call.
class CallObserver {
 public:
  virtual ~CallObserver() = default;
  virtual void CallWritten(const WrittenCall& call) = 0;
};

}  // namespace tolvik
