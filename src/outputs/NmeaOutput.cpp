#include "outputs/NmeaOutput.h"

#include "nmea/CallSentences.h"

namespace tolvik {

void NmeaOutput::CallWritten(const WrittenCall& call) {
  const CallSentences sentences = EncodeCallSentences(call.symbols);
  for (SentenceSink* sink : sinks_) {
    sink->SendSentence(sentences.dsc);
    if (sentences.dse) {
      sink->SendSentence(*sentences.dse);
    }
  }
}

}  // namespace tolvik
