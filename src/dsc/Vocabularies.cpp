#include "dsc/Vocabularies.h"

#include <span>
#include <string_view>

#include "dsc/FieldTexts.h"

namespace tolvik {

namespace {

struct VocabularyEntry {
  int Value;              // character value
  std::string_view Text;  // what the receive list shows for it
};

constexpr VocabularyEntry kNatures[] = {
    {100, "Fire , explosion"},
    {101, "Flooding"},
    {102, "Collision"},
    {103, "Grounding"},
    {104, "Listing , in danger of capsizing"},
    {105, "Sinking"},
    {106, "Disabled and adrift"},
    {107, "Undesignated distress"},
    {108, "Abandoning ship"},
    {109, "Piracy/armed robbery attack"},
    {110, "Man overboard"},
    {112, "EPIRB emission"},
};

constexpr VocabularyEntry kFirstTelecommands[] = {
    {100, "FM simplex telephony"},
    {101, "FM duplex telephony"},
    {103, "Polling"},
    {104, "Unable to comply"},
    {105, "End of call"},
    {106, "Data"},
    {109, "SSB telephony"},
    {110, "Distress acknowledgement"},
    {112, "Distress relay"},
    {113, "FEC teletype"},
    {115, "ARQ teletype"},
    {118, "Test"},
    {121, "Position request"},
    {126, "No information"},
};

constexpr VocabularyEntry kSecondTelecommands[] = {
    {100, "No reason given"},
    {101, "Congestion at maritime switching centre"},
    {102, "Busy"},
    {103, "Queue indication"},
    {104, "Station barred"},
    {105, "No operator available"},
    {106, "Operator temporarily unavailable"},
    {107, "Equipment disabled"},
    {108, "Unable to use proposed channel"},
    {109, "Unable to use proposed mode"},
    {110, "Ships and aircraft"},
    {111, "Medical transports"},
    {112, "Pay-phone/public call office"},
    {113, "Recommendation ITU-R M.1081"},
    {126, "No information"},
};

constexpr VocabularyEntry kCategories[] = {
    {100, "Routine"},
    {108, "Safety"},
    {110, "Urgency"},
    {112, "Distress"},
};

std::string Lookup(std::span<const VocabularyEntry> vocabulary, int value) {
  for (const VocabularyEntry& entry : vocabulary) {
    if (entry.Value == value) {
      return std::string(entry.Text);
    }
  }
  return std::string(kNotAvailableText);
}

}  // namespace

std::string NatureText(int value) {
  return Lookup(kNatures, value);
}

std::string FirstTelecommandText(int value) {
  return Lookup(kFirstTelecommands, value);
}

std::string SecondTelecommandText(int value) {
  return Lookup(kSecondTelecommands, value);
}

std::string CategoryText(int value) {
  return Lookup(kCategories, value);
}

}  // namespace tolvik
