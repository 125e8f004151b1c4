#pragma once

#include "dsc/DistressKind.h"

namespace tolvik {

// What the receive list needs from the window side to signal a distress
// alert: the call details dialog and the alert sound. The desktop program
// implements it; tests record the calls.
class AlertHost {
 public:
  virtual ~AlertHost() = default;

  // Whether the details dialog is signalling an alert right now (its category
  // is blinking); a further alert then stays silent.
  virtual bool IsSignallingAlert() const = 0;

  // Starts warn.wav playing without waiting for it; plays nothing at all
  // when the file is missing or cannot be played.
  virtual void PlayAlertSound() = 0;

  // Fills the details dialog from row `row` of the list; a kind other than
  // None starts the blinking, None stops it.
  virtual void LoadEntry(int row, DistressKind kind) = 0;

  // Whether the details dialog is on screen.
  virtual bool IsDialogShowing() const = 0;

  // Puts the details dialog on screen, modally. Reception must go on while it
  // is open, so the host may defer this until the current audio block is done.
  virtual void ShowDialog() = 0;
};

}  // namespace tolvik
