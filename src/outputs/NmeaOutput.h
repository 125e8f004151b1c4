#pragma once

#include <vector>

#include "audio/CallObserver.h"
#include "outputs/SentenceSink.h"

namespace tolvik {

// Sends every written row's call as NMEA sentences ($CDDSC, then $CDDSE
// when it has an enhanced position) to each of its sinks, in order.
class NmeaOutput final : public CallObserver {
 public:
  // The sinks must outlive the output.
  void AddSink(SentenceSink& sink) { sinks_.push_back(&sink); }
  bool HasSinks() const { return !sinks_.empty(); }

  void CallWritten(const WrittenCall& call) override;

 private:
  std::vector<SentenceSink*> sinks_;
};

}  // namespace tolvik
