#include "dsc/Vocabularies.h"

#include <span>
#include <string_view>

#include "dsc/DscSymbols.h"
#include "dsc/FieldTexts.h"

namespace tolvik {

namespace {

struct VocabularyEntry {
  int Value;              // character value
  std::string_view Text;  // what the receive list shows for it
};

constexpr VocabularyEntry kNatures[] = {
    {kNatureFire, "Fire , explosion"},
    {kNatureFlooding, "Flooding"},
    {kNatureCollision, "Collision"},
    {kNatureGrounding, "Grounding"},
    {kNatureListing, "Listing , in danger of capsizing"},
    {kNatureSinking, "Sinking"},
    {kNatureDisabledAndAdrift, "Disabled and adrift"},
    {kNatureUndesignated, "Undesignated distress"},
    {kNatureAbandoningShip, "Abandoning ship"},
    {kNaturePiracy, "Piracy/armed robbery attack"},
    {kNatureManOverboard, "Man overboard"},
    {kNatureEpirb, "EPIRB emission"},
};

constexpr VocabularyEntry kFirstTelecommands[] = {
    {kTelecommandFmSimplex, "FM simplex telephony"},
    {kTelecommandFmDuplex, "FM duplex telephony"},
    {kTelecommandPolling, "Polling"},
    {kTelecommandUnableToComply, "Unable to comply"},
    {kTelecommandEndOfCall, "End of call"},
    {kTelecommandData, "Data"},
    {kTelecommandSsbTelephony, "SSB telephony"},
    {kTelecommandDistressAcknowledgement, "Distress acknowledgement"},
    {kTelecommandDistressRelay, "Distress relay"},
    {kTelecommandFecTeletype, "FEC teletype"},
    {kTelecommandArqTeletype, "ARQ teletype"},
    {kTelecommandTest, "Test"},
    {kTelecommandPositionRequest, "Position request"},
    {kNoInformation, "No information"},
};

constexpr VocabularyEntry kSecondTelecommands[] = {
    {kReasonNoneGiven, "No reason given"},
    {kReasonCongestion, "Congestion at maritime switching centre"},
    {kReasonBusy, "Busy"},
    {kReasonQueueIndication, "Queue indication"},
    {kReasonStationBarred, "Station barred"},
    {kReasonNoOperator, "No operator available"},
    {kReasonOperatorUnavailable, "Operator temporarily unavailable"},
    {kReasonEquipmentDisabled, "Equipment disabled"},
    {kReasonChannelUnusable, "Unable to use proposed channel"},
    {kReasonModeUnusable, "Unable to use proposed mode"},
    {kSecondTelecommandShipsAndAircraft, "Ships and aircraft"},
    {kSecondTelecommandMedicalTransports, "Medical transports"},
    {kSecondTelecommandPayPhone, "Pay-phone/public call office"},
    {kSecondTelecommandFacsimile, "Recommendation ITU-R M.1081"},
    {kNoInformation, "No information"},
};

constexpr VocabularyEntry kCategories[] = {
    {kCategoryRoutine, "Routine"},
    {kCategorySafety, "Safety"},
    {kCategoryUrgency, "Urgency"},
    {kCategoryDistress, "Distress"},
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
