#pragma once

#include "list/ListOptions.h"

namespace tolvik {

// List options held as plain values, for tests and for hosts without a
// settings file. A fresh set has the defaults of a new settings file: no
// overwriting, no dropping, every distress alert on, ageing after an hour.
class ListOptionValues final : public ListOptions {
 public:
  bool OverwriteStation() const override { return overwrite_station_; }
  void SetOverwriteStation(bool on) { overwrite_station_ = on; }
  bool DropNoInformation() const override { return drop_no_information_; }
  void SetDropNoInformation(bool on) { drop_no_information_ = on; }
  bool AlertOnDistress() const override { return alert_on_distress_; }
  void SetAlertOnDistress(bool on) { alert_on_distress_ = on; }
  bool AlertOnAcknowledgement() const override { return alert_on_acknowledgement_; }
  void SetAlertOnAcknowledgement(bool on) { alert_on_acknowledgement_ = on; }
  bool AlertOnRelay() const override { return alert_on_relay_; }
  void SetAlertOnRelay(bool on) { alert_on_relay_ = on; }
  int AgeingLimitSteps() const override { return ageing_limit_steps_; }
  void SetAgeingLimitSteps(int steps) { ageing_limit_steps_ = steps; }

 private:
  bool overwrite_station_ = false;        // a station's call reuses its row
  bool drop_no_information_ = false;      // calls without texts make no row
  bool alert_on_distress_ = true;         // distress alerts raise the alert
  bool alert_on_acknowledgement_ = true;  // so do acknowledgements
  bool alert_on_relay_ = true;            // so do relays
  int ageing_limit_steps_ = 6;            // ageing limit in 10-minute steps
};

}  // namespace tolvik
