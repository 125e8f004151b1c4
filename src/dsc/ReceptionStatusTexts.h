#pragma once

#include "base/StatusTextSink.h"
#include "dsc/ReceptionEnd.h"
#include "dsc/ReceptionObserver.h"

namespace tolvik {

// The one place where the end of a reception becomes the text of the
// decoder's status panel:
//   ParityError    "Parity error..."
//   DataError      "Data error..."
//   DataSizeError  "Data size error..."
//   FormatError    "" and then "DSC format error..."
//   Completed      ""  (the reception's "Receiving data..." is cleared)
//   Abandoned, EndOfInput: nothing.
// Each report is passed on to a further observer, when there is one.
class ReceptionStatusTexts final : public ReceptionObserver {
 public:
  // Both must outlive this; `next` may be nullptr.
  explicit ReceptionStatusTexts(StatusTextSink& status, ReceptionObserver* next = nullptr)
      : status_(status), next_(next) {}

  void ReceptionStarted() override;
  void ReceptionEnded(ReceptionEnd end) override;

 private:
  void Show(const char* text);

  StatusTextSink& status_;   // the decoder's status panel
  ReceptionObserver* next_;  // told after the texts are shown; may be none
};

}  // namespace tolvik
