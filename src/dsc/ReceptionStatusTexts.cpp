#include "dsc/ReceptionStatusTexts.h"

namespace tolvik {

namespace {

constexpr char kParityErrorText[] = "Parity error...";
constexpr char kDataErrorText[] = "Data error...";
constexpr char kDataSizeErrorText[] = "Data size error...";
constexpr char kFormatErrorText[] = "DSC format error...";
// A completed call clears the reception's "Receiving data...".
constexpr char kClearedText[] = "";

}  // namespace

void ReceptionStatusTexts::ReceptionStarted() {
  // "Receiving data..." carries the frequency error, which the synchroniser
  // knows; it shows that text itself.
  if (next_ != nullptr) {
    next_->ReceptionStarted();
  }
}

void ReceptionStatusTexts::ReceptionEnded(ReceptionEnd end) {
  switch (end) {
    case ReceptionEnd::ParityError:
      Show(kParityErrorText);
      break;
    case ReceptionEnd::DataError:
      Show(kDataErrorText);
      break;
    case ReceptionEnd::DataSizeError:
      Show(kDataSizeErrorText);
      break;
    case ReceptionEnd::FormatError:
      // Completion clears the panel before it looks at the format.
      Show(kClearedText);
      Show(kFormatErrorText);
      break;
    case ReceptionEnd::Completed:
      Show(kClearedText);
      break;
    case ReceptionEnd::Abandoned:
    case ReceptionEnd::EndOfInput:
      break;
  }
  if (next_ != nullptr) {
    next_->ReceptionEnded(end);
  }
}

void ReceptionStatusTexts::Show(const char* text) {
  status_.ShowStatusText(StatusPanel::Decoder, text);
}

}  // namespace tolvik
