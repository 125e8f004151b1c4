#pragma once

#include "list/ListOptions.h"
#include "settings/AppSettings.h"

namespace tolvik {

// The receive list's and the ageing's options, read live from the settings
// record: a change made in the settings dialog takes effect at the next call
// or ageing pass.
class SettingsListOptions final : public ListOptions {
 public:
  // The settings must outlive this.
  explicit SettingsListOptions(const AppSettings& settings) : settings_(settings) {}

  bool OverwriteStation() const override { return settings_.CheckAdd; }
  bool DropNoInformation() const override { return settings_.NoMsgAdd; }
  bool AlertOnDistress() const override { return settings_.DistAlt; }
  bool AlertOnAcknowledgement() const override { return settings_.DistAck; }
  bool AlertOnRelay() const override { return settings_.DistRly; }
  int AgeingLimitSteps() const override { return settings_.DelMin; }

 private:
  const AppSettings& settings_;  // CheckAdd, NoMsgAdd, DistAlt, DistAck, DistRly, DelMin
};

}  // namespace tolvik
