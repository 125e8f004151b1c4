#include "dsc/CallInterpreter.h"

#include <gtest/gtest.h>

#include "support/SymbolData.h"

namespace tolvik {
namespace {

using test::Call;
using test::Sequence;

// Identities used below, as characters and as shown.
#define SHIP 21, 12, 34, 56, 0        // 211234560
#define OTHER_SHIP 36, 61, 23, 45, 0  // 366123450
#define COAST 0, 21, 11, 23, 0        // 002111230
#define TOKYO_BAY 3, 54, 11, 39, 45   // N35-41 , E139-45
constexpr const char* kShip = "211234560";
constexpr const char* kOtherShip = "366123450";
constexpr const char* kCoast = "002111230";
constexpr const char* kTokyoBay = "N35-41 , E139-45";

// Texts as the completion step hands them over: Information, Position and
// Ack cleared, the rest left from an earlier call.
CallTexts StaleTexts() {
  CallTexts texts;
  texts.Category = "old category";
  texts.From = "old from";
  texts.To = "old to";
  texts.RequestStatus = "old request";
  return texts;
}

CallTexts Interpreted(const DscCall& call) {
  CallTexts texts = StaleTexts();
  bool enhanced = false;
  InterpretCall(call, texts, enhanced);
  return texts;
}

// What the completion step does for a distress alert.
CallTexts InterpretedAlert(const DscCall& call) {
  CallTexts texts = StaleTexts();
  texts.Category = "Distress";
  bool enhanced = false;
  InterpretDistressInfo(call, 2, DistressKind::Alert, texts, enhanced);
  return texts;
}

TEST(InterpretDistressInfo, DistressAlert) {
  // Flooding at N35-41 E139-45 at 12:30, SSB telephony to follow.
  const CallTexts texts =
      InterpretedAlert(Call({112, 112, SHIP, 101, TOKYO_BAY, 12, 30, 109, 127}));
  EXPECT_EQ(texts.Category, "Distress");
  EXPECT_EQ(texts.From, kShip);
  EXPECT_EQ(texts.To, "All stations");
  EXPECT_EQ(texts.RequestStatus, "SSB telephony");
  EXPECT_EQ(texts.Information, "Flooding");
  EXPECT_EQ(texts.Position, kTokyoBay);
  EXPECT_EQ(texts.Ack, "");
  EXPECT_EQ(texts.Kind, DistressKind::Alert);
}

TEST(InterpretDistressInfo, PositionCharacterAbove99ShowsNotAvailable) {
  const CallTexts texts =
      InterpretedAlert(Call({112, 112, SHIP, 107, 3, 54, 110, 39, 45, 88, 88, 100, 127}));
  EXPECT_EQ(texts.Position, "N/A");
  EXPECT_EQ(texts.Information, "Undesignated distress");
  EXPECT_EQ(texts.From, kShip);
}

// Ten 9s say the position is not known: no position at all, not
// N99-99 , E999-99, in every place a position can stand.
#define UNKNOWN_POSITION 99, 99, 99, 99, 99

TEST(InterpretDistressInfo, UnknownPositionOfAnAlertIsNoPosition) {
  DscCall call = Call({112, 112, SHIP, 101, UNKNOWN_POSITION, 88, 88, 109, 127});
  // An enhancement cannot sharpen a position nobody knows.
  call.Expansion = Sequence({100, 12, 34, 56, 78, 117});
  CallTexts texts;
  bool enhanced = true;
  InterpretDistressInfo(call, 2, DistressKind::Alert, texts, enhanced);
  EXPECT_EQ(texts.Position, "");
  EXPECT_FALSE(enhanced);
  EXPECT_EQ(texts.Information, "Flooding");
  EXPECT_EQ(texts.From, kShip);
}

TEST(InterpretCall, UnknownPositionOfARelayAcknowledgementOrWorkingPositionIsNoPosition) {
  EXPECT_EQ(
      Interpreted(Call({116, 116, 112, COAST, 110, SHIP, 105, UNKNOWN_POSITION, 88, 88, 109, 127}))
          .Position,
      "");
  const CallTexts relay =
      Interpreted(Call({116, 116, 112, COAST, 112, SHIP, 105, UNKNOWN_POSITION, 88, 88, 100, 127}));
  EXPECT_EQ(relay.Position, "");
  EXPECT_EQ(relay.Information, "Sinking (Distress from 211234560)");
  EXPECT_EQ(
      Interpreted(Call({120, 120, SHIP, 100, COAST, 121, 126, 55, UNKNOWN_POSITION, 117})).Position,
      "");
  // One digit short of all nines is a position like any other.
  EXPECT_EQ(
      Interpreted(Call({116, 116, 110, COAST, 100, 126, 55, 99, 99, 99, 99, 98, 117})).Position,
      "N99-99 , E999-98");
}

TEST(InterpretDistressInfo, EnhancedPositionOfAnAlert) {
  DscCall call = Call({112, 112, SHIP, 101, TOKYO_BAY, 12, 30, 109, 127});
  call.Expansion = Sequence({100, 12, 34, 56, 78, 117});
  CallTexts texts;
  bool enhanced = false;
  InterpretDistressInfo(call, 2, DistressKind::Alert, texts, enhanced);
  EXPECT_EQ(texts.Position, "N35-41.1234 , E139-45.5678");
  EXPECT_TRUE(enhanced);
}

TEST(InterpretCall, AllShipsDistressAcknowledgement) {
  const CallTexts texts =
      Interpreted(Call({116, 116, 112, COAST, 110, SHIP, 105, TOKYO_BAY, 12, 30, 109, 127}));
  EXPECT_EQ(texts.Category, "Distress");
  EXPECT_EQ(texts.From, kCoast);
  EXPECT_EQ(texts.To, kShip);
  EXPECT_EQ(texts.RequestStatus, "SSB telephony");
  EXPECT_EQ(texts.Information, "Sinking");
  EXPECT_EQ(texts.Position, kTokyoBay);
  EXPECT_EQ(texts.Ack, "Ack");
  EXPECT_EQ(texts.Kind, DistressKind::Acknowledgement);
}

TEST(InterpretCall, AllShipsDistressRelay) {
  const CallTexts texts =
      Interpreted(Call({116, 116, 112, COAST, 112, SHIP, 105, TOKYO_BAY, 12, 30, 100, 127}));
  EXPECT_EQ(texts.Category, "Distress");
  EXPECT_EQ(texts.From, kCoast);
  EXPECT_EQ(texts.To, "All stations");
  EXPECT_EQ(texts.RequestStatus, "FM simplex telephony");
  EXPECT_EQ(texts.Information, "Sinking (Distress from 211234560)");
  EXPECT_EQ(texts.Information.back(), ')');
  EXPECT_EQ(texts.Position, kTokyoBay);
  EXPECT_EQ(texts.Ack, "");
  EXPECT_EQ(texts.Kind, DistressKind::Relay);
}

TEST(InterpretCall, AllShipsDistressCategoryWithOtherTelecommand) {
  const CallTexts texts =
      Interpreted(Call({116, 116, 112, COAST, 100, 126, 2, 18, 20, 126, 126, 126, 127}));
  EXPECT_EQ(texts.Category, "Distress");
  EXPECT_EQ(texts.From, kCoast);
  EXPECT_EQ(texts.To, "All stations");
  // The first telecommand is shown, replacing an earlier call's request.
  EXPECT_EQ(texts.RequestStatus, "FM simplex telephony");
  EXPECT_EQ(texts.Information, "");
  EXPECT_EQ(texts.Position, "");
  EXPECT_EQ(texts.Kind, DistressKind::None);
}

TEST(InterpretCall, AllShipsTelecommandsThatEndTheCall) {
  // A frequency field follows, but polling, test and "no information" calls
  // carry none.
  for (const int telecommand : {103, 118, 126}) {
    const CallTexts texts =
        Interpreted(Call({116, 116, 108, COAST, telecommand, 126, 2, 18, 20, 126, 126, 126, 117}));
    EXPECT_EQ(texts.Category, "Safety");
    EXPECT_EQ(texts.From, kCoast);
    EXPECT_EQ(texts.To, "All stations");
    EXPECT_EQ(texts.Information, "") << telecommand;
    EXPECT_EQ(texts.Position, "") << telecommand;
    EXPECT_EQ(texts.Kind, DistressKind::None);
  }
  EXPECT_EQ(
      Interpreted(Call({116, 116, 108, COAST, 126, 126, 2, 18, 20, 0, 0, 0, 117})).RequestStatus,
      "No information");
  EXPECT_EQ(Interpreted(Call({116, 116, 108, COAST, 118, 100, 126, 126, 126, 126, 126, 126, 117}))
                .RequestStatus,
            "Test (No reason given)");
}

TEST(InterpretCall, AllShipsPositionInsteadOfFrequency) {
  const CallTexts texts = Interpreted(Call({116, 116, 110, COAST, 100, 126, 55, TOKYO_BAY, 117}));
  EXPECT_EQ(texts.Category, "Urgency");
  EXPECT_EQ(texts.RequestStatus, "FM simplex telephony");
  EXPECT_EQ(texts.Information, "");
  EXPECT_EQ(texts.Position, kTokyoBay);
}

TEST(InterpretCall, AllShipsFrequencies) {
  const CallTexts texts =
      Interpreted(Call({116, 116, 108, COAST, 109, 126, 8, 41, 45, 8, 41, 45, 117}));
  EXPECT_EQ(texts.Category, "Safety");
  EXPECT_EQ(texts.From, kCoast);
  EXPECT_EQ(texts.To, "All stations");
  EXPECT_EQ(texts.RequestStatus, "SSB telephony");
  EXPECT_EQ(texts.Information, "Rx : 8414.5kHz , Tx : 8414.5kHz");
  EXPECT_EQ(texts.Position, "");
  EXPECT_EQ(texts.Kind, DistressKind::None);
}

TEST(InterpretCall, IndividualCallWorkedExample) {
  const CallTexts texts = Interpreted(Call({120, 120, 21,  12,  34, 56, 0,  100, 36,  61,  23,
                                            45,  0,   100, 126, 90, 0,  16, 126, 126, 126, 117}));
  EXPECT_EQ(texts.Category, "Routine");
  EXPECT_EQ(texts.From, kOtherShip);
  EXPECT_EQ(texts.To, kShip);
  EXPECT_EQ(texts.RequestStatus, "FM simplex telephony");
  EXPECT_EQ(texts.Information, "VHF 16ch");
  EXPECT_EQ(texts.Position, "");
  EXPECT_EQ(texts.Kind, DistressKind::None);
}

TEST(InterpretCall, AddressOfEachFormat) {
  // Area call: 35 N 139 E, 5 degrees south and 10 east.
  EXPECT_EQ(Interpreted(Call({102, 102, 3, 51, 39, 5, 10, 108, COAST, 118, 126, 117})).To,
            "N35E139-N30E149");
  EXPECT_EQ(Interpreted(Call({102, 102, 3, 51, 39, 5, 110, 108, COAST, 118, 126, 117})).To, "N/A");
  // Group call.
  const CallTexts group = Interpreted(Call({114, 114, 2, 11, 0, 0, 0, 100, SHIP, 118, 126, 117}));
  EXPECT_EQ(group.To, "021100000");
  EXPECT_EQ(group.From, kShip);
  EXPECT_EQ(group.RequestStatus, "Test");
  // An identity with a character above 99.
  EXPECT_EQ(Interpreted(Call({120, 120, 21, 12, 104, 56, 0, 100, SHIP, 118, 126, 117})).To, "N/A");
}

TEST(InterpretCall, AddressedDistressCategoryIsAlwaysARelay) {
  for (const int format : {102, 114, 120, 123}) {
    for (const int telecommand : {112, 100, 126}) {
      const CallTexts texts =
          Interpreted(Call({format, format, 3, 51, 39, 5, 10, 112, COAST, telecommand, SHIP, 108,
                            TOKYO_BAY, 12, 30, 113, 117}));
      EXPECT_EQ(texts.Category, "Distress");
      EXPECT_EQ(texts.From, kCoast);
      EXPECT_EQ(texts.To, format == 102 ? "N35E139-N30E149" : "035139051");
      EXPECT_EQ(texts.RequestStatus, "FEC teletype");
      EXPECT_EQ(texts.Information, "Abandoning ship (Distress from 211234560)");
      EXPECT_EQ(texts.Position, kTokyoBay);
      EXPECT_EQ(texts.Kind, DistressKind::Relay);
    }
  }
}

TEST(InterpretCall, EnhancedPositionInsideARelay) {
  DscCall call = Call(
      {120, 120, OTHER_SHIP, 112, COAST, 112, SHIP, 110, 23, 54, 11, 39, 45, 12, 30, 126, 117});
  call.Expansion = Sequence({100, 12, 34, 56, 78, 117});
  CallTexts texts;
  bool enhanced = false;
  InterpretCall(call, texts, enhanced);
  EXPECT_EQ(texts.Position, "S35-41.1234 , E139-45.5678");
  EXPECT_EQ(texts.Information, "Man overboard (Distress from 211234560)");
  EXPECT_EQ(texts.RequestStatus, "No information");
}

TEST(InterpretCall, AddressedCallTelecommandsThatEndTheCall) {
  const CallTexts texts =
      Interpreted(Call({123, 123, SHIP, 100, COAST, 126, 126, 2, 18, 20, 105, 1, 23, 45, 117}));
  EXPECT_EQ(texts.RequestStatus, "No information");
  // No frequency and, for a semi-automatic call, no number either.
  EXPECT_EQ(texts.Information, "");
  EXPECT_EQ(texts.Position, "");
  EXPECT_EQ(Interpreted(Call({120, 120, SHIP, 100, COAST, 103, 126, 117})).RequestStatus,
            "Polling");
}

TEST(InterpretCall, AddressedCallSecondTelecommandAndPosition) {
  const CallTexts texts =
      Interpreted(Call({120, 120, SHIP, 100, COAST, 104, 102, 55, TOKYO_BAY, 117}));
  EXPECT_EQ(texts.RequestStatus, "Unable to comply (Busy)");
  EXPECT_EQ(texts.Information, "");
  EXPECT_EQ(texts.Position, kTokyoBay);
}

TEST(InterpretCall, SemiAutomaticCallWithOneFrequency) {
  // The indicator at 18 takes the place of the second frequency, which then
  // reads as out of range and adds nothing.
  const CallTexts texts =
      Interpreted(Call({123, 123, COAST, 100, SHIP, 109, 126, 2, 18, 20, 105, 1, 23, 45, 117}));
  EXPECT_EQ(texts.To, kCoast);
  EXPECT_EQ(texts.From, kShip);
  EXPECT_EQ(texts.Information, "2182.0kHz , Number 12345");
  EXPECT_EQ(texts.Position, "");
}

TEST(InterpretCall, SemiAutomaticCallWithTwoFrequencies) {
  const CallTexts texts = Interpreted(
      Call({123, 123, COAST, 100, SHIP, 109, 126, 8, 41, 45, 12, 57, 70, 106, 12, 34, 56, 117}));
  EXPECT_EQ(texts.Information, "Rx : 8414.5kHz , Tx : 12577.0kHz , Number 123456");
}

TEST(InterpretCall, SemiAutomaticCallWithoutFrequencyText) {
  const CallTexts texts = Interpreted(
      Call({123, 123, COAST, 100, SHIP, 109, 126, 126, 126, 126, 126, 126, 126, 105, 4, 56, 117}));
  EXPECT_EQ(texts.Information, "Number 456");
}

TEST(InterpretCall, SemiAutomaticCallWithPosition) {
  const CallTexts texts = Interpreted(
      Call({123, 123, COAST, 100, SHIP, 121, 126, 55, TOKYO_BAY, 106, 55, 51, 23, 117}));
  EXPECT_EQ(texts.RequestStatus, "Position request");
  EXPECT_EQ(texts.Position, kTokyoBay);
  EXPECT_EQ(texts.Information, "Number 555123");
}

TEST(InterpretCall, SemiAutomaticCallWithBadNumber) {
  EXPECT_EQ(Interpreted(Call({123, 123, COAST, 100, SHIP, 109, 126, 2, 18, 20, 105, 1, 110, 117}))
                .Information,
            "2182.0kHz , Number N/A");
  // Indicator neither at 18 nor at 21.
  EXPECT_EQ(Interpreted(Call({123, 123, COAST, 100, SHIP, 109, 126, 2, 18, 20, 2, 18, 20, 1, 117}))
                .Information,
            "Rx : 2182.0kHz , Tx : 2182.0kHz , Number N/A");
}

TEST(InterpretCall, OtherFormatsAreLeftAlone) {
  const CallTexts texts = Interpreted(Call({121, 121, SHIP, 100, COAST, 100, 126, 117}));
  EXPECT_EQ(texts.Category, "old category");
  EXPECT_EQ(texts.RequestStatus, "old request");
  EXPECT_EQ(texts.Kind, DistressKind::None);
}

}  // namespace
}  // namespace tolvik
