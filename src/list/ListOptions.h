#pragma once

namespace tolvik {

// The options the receive list and its ageing run on. They are asked for
// afresh at every call written and at every ageing pass, so a change takes
// effect at the next call or pass.
class ListOptions {
 public:
  virtual ~ListOptions() = default;

  // A call overwrites the topmost row of the same station instead of
  // adding a row.
  virtual bool OverwriteStation() const = 0;
  // A call carrying neither information nor a position is dropped.
  virtual bool DropNoInformation() const = 0;

  // Distress alerts raise the alert; without it nothing does.
  virtual bool AlertOnDistress() const = 0;
  // With AlertOnDistress, distress acknowledgements and relays raise it too.
  virtual bool AlertOnAcknowledgement() const = 0;
  virtual bool AlertOnRelay() const = 0;

  // How old a row may grow before ageing deletes it, in steps of
  // kMinutesPerDelMinStep minutes (the setting DelMin).
  virtual int AgeingLimitSteps() const = 0;
};

}  // namespace tolvik
