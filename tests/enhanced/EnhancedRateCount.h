#pragma once

#include "EnhancedTestSupport.h"
#include "dsc/CallTexts.h"
#include "support/NumberedCalls.h"

namespace tolvik {

inline bool SameTexts(const CallTexts& a, const CallTexts& b) {
  return a.Category == b.Category && a.From == b.From && a.To == b.To &&
         a.RequestStatus == b.RequestStatus && a.Information == b.Information &&
         a.Position == b.Position && a.Ack == b.Ack && a.Kind == b.Kind;
}

struct RateRun {
  int Exact = 0;  // rows equal in every text to a call sent
  int Wrong = 0;  // rows that match no call sent
};

// Counts the rows of a run of `calls` numbered individual calls: a row is
// exact when it equals `reference` (the clean decode of call 0) with the
// called identity of one of the calls put in, and wrong otherwise.
inline RateRun Rate(const EnhancedRun& run, const CallTexts& reference, int calls) {
  RateRun rate;
  for (const CallTexts& row : run.Rows) {
    CallTexts expected = reference;
    bool exact = false;
    for (int i = 0; i < calls && !exact; ++i) {
      expected.To = testing::CalledIdentity(i);
      exact = SameTexts(row, expected);
    }
    ++(exact ? rate.Exact : rate.Wrong);
  }
  return rate;
}

}  // namespace tolvik
