#pragma once

#include <optional>
#include <string>

#include "dsc/DscCall.h"

namespace tolvik {

// A received call as chart plotters and boat servers read it: one $CDDSC
// sentence and, when the call's expansion sequence carries an enhanced
// position, a $CDDSE right after it. Each sentence ends in CR LF and is at
// most kNmeaMaxSentenceLength long.
struct CallSentences {
  std::string dsc;
  std::optional<std::string> dse;
};

// Built from the call's symbols alone (format, addresses, vocabularies and
// digit fields as received), never from the texts of its row.
CallSentences EncodeCallSentences(const DscCall& call);

}  // namespace tolvik
