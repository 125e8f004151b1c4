#pragma once

#include <string>

#include "settings/AppSettings.h"

namespace tolvik {

// The large category line of the details dialog and its colour (red in the
// low byte, as the settings keep colours).
struct CategoryCaption {
  std::string Text;
  ColorValue Colour = 0;
};

// A distress row tells a relay by the ")" that closes its Information
// ("... (Distress from 232001234)") and an acknowledgement by its Ack
// "Ack"; every distress caption is red. Other categories keep their text,
// coloured Routine blue, Safety green, Urgency fuchsia, anything else black.
CategoryCaption CaptionOfCategory(const std::string& category, const std::string& information,
                                  const std::string& ack);

}  // namespace tolvik
