#include "gen/CallDescriptionParser.h"

#include <gtest/gtest.h>

#include <string>

#include "dsc/DscEncoder.h"

namespace tolvik {
namespace {

Characters CharactersOf(const CallDescription& description) {
  return BuildCallCharacters(std::get<DscMessage>(description.Call));
}

// The message of the error a description gives; empty when it parses.
std::string ErrorOf(std::string_view text) {
  try {
    ParseCallDescription(text);
  } catch (const CallDescriptionError& error) {
    return error.what();
  }
  return "";
}

TEST(CallDescriptionParserTest, IndividualCallHasTheLayoutOfTheSameMessageBuiltByHand) {
  const CallDescription parsed = ParseCallDescription(
      "format=individual to=211234560 from=232001000 category=routine tc1=100 freq=vhf16 eos=req");
  DscMessage m;
  m.FormatSpecifier = kFormatIndividual;
  m.Address = "211234560";
  m.Category = 100;
  m.SelfId = "232001000";
  m.FirstTelecommand = 100;
  m.FirstFrequency = DscFrequency::Vhf(16);
  m.EndOfSequence = kEosAckRequest;
  EXPECT_EQ(CharactersOf(parsed), BuildCallCharacters(m));
  EXPECT_EQ(parsed.DotPatternBits, std::nullopt);
  EXPECT_EQ(parsed.Text,
            "format=individual to=211234560 from=232001000 category=routine tc1=100 freq=vhf16 "
            "eos=req");
}

TEST(CallDescriptionParserTest, DistressAlertTakesTheCallerAsTheShipInDistress) {
  const CallDescription parsed = ParseCallDescription(
      "format=distress from=232001000 nature=sinking dpos=N50-07,W4-30 utc=23:59 subsequent=109 "
      "dots=20");
  DscMessage m;
  m.FormatSpecifier = kFormatDistress;
  m.Distress =
      DscDistressInfo{"232001000", 105, DscPosition{1, 50, 7, 4, 30}, DscTime{23, 59}, 109};
  EXPECT_EQ(CharactersOf(parsed), BuildCallCharacters(m));
  EXPECT_EQ(parsed.DotPatternBits, 20);

  // Defaults: undesignated, position and time unknown, subsequent 100.
  const CallDescription minimal = ParseCallDescription("format=112 ship=232001000");
  m.Distress = DscDistressInfo{"232001000", 107, std::nullopt, std::nullopt, 100};
  EXPECT_EQ(CharactersOf(minimal), BuildCallCharacters(m));

  EXPECT_EQ(ErrorOf("format=distress from=232001000 ship=232001001"),
            "ship=232001001: differs from from=232001000 (a distress alert's caller is the ship "
            "in distress)");
  EXPECT_EQ(ErrorOf("format=distress nature=fire"),
            "missing key ship (or from): the ship in distress");
  EXPECT_EQ(ErrorOf("format=distress from=232001000 to=211234560"),
            "to=211234560: not used by a distress alert");
}

TEST(CallDescriptionParserTest, DistressAcknowledgementsAndRelaysCarryTheAlertsInformation) {
  DscMessage m;
  m.FormatSpecifier = kFormatAllShips;
  m.Category = kCategoryDistress;
  m.SelfId = "002320001";
  m.FirstTelecommand = kTelecommandDistressAcknowledgement;
  m.Distress = DscDistressInfo{"232001000", 100, DscPosition{2, 10, 5, 20, 30}, std::nullopt, 100};
  EXPECT_EQ(CharactersOf(ParseCallDescription("format=all-ships category=distress tc1=110 "
                                              "from=002320001 ship=232001000 nature=fire "
                                              "dpos=S10-05,E20-30")),
            BuildCallCharacters(m));

  // A relay to one station is what category distress means by default.
  m.FormatSpecifier = kFormatIndividual;
  m.Address = "211234560";
  m.FirstTelecommand = kTelecommandDistressRelay;
  m.Distress->Position.reset();
  EXPECT_EQ(CharactersOf(ParseCallDescription("format=individual category=112 to=211234560 "
                                              "from=002320001 ship=232001000 nature=100")),
            BuildCallCharacters(m));

  EXPECT_EQ(ErrorOf("format=all-ships category=distress from=002320001"),
            "missing key ship: a call of category distress repeats an alert");
  // No frequencies in a call whose field holds distress information.
  EXPECT_EQ(ErrorOf("format=all-ships category=distress from=002320001 ship=232001000 "
                    "freq=2182"),
            "freq=2182: not used by an all-ships call");
}

TEST(CallDescriptionParserTest, AreaSemiAutomaticAndGroupCallLayouts) {
  DscMessage area;
  area.FormatSpecifier = kFormatGeographicArea;
  area.AreaAddress = DscArea{0, 35, 139, 5, 10};
  area.Category = 108;
  area.SelfId = "002320001";
  area.FirstTelecommand = 109;
  area.WorkingPosition = DscPosition{0, 35, 41, 139, 45};
  area.Enhancement = DscEnhancedPosition{1234, 5678};
  const CallDescription parsed_area = ParseCallDescription(
      "format=area area=N35E139-N30E149 category=safety from=002320001 tc1=109 "
      "position=N35-41,E139-45 enhance=1234,5678");
  EXPECT_EQ(CharactersOf(parsed_area), BuildCallCharacters(area));
  EXPECT_EQ(BuildExpansionCharacters(std::get<DscMessage>(parsed_area.Call)),
            BuildExpansionCharacters(area));

  DscMessage semi;
  semi.FormatSpecifier = kFormatSemiAutomatic;
  semi.Address = "002320001";
  semi.SelfId = "232001000";
  semi.FirstTelecommand = 100;
  semi.SecondTelecommand = 126;
  semi.FirstFrequency = DscFrequency::MfHf(1234);
  semi.TelephoneNumber = "0123456789";
  semi.EndOfSequence = kEosAckRequest;
  EXPECT_EQ(CharactersOf(ParseCallDescription("format=semi-auto to=002320001 from=232001000 "
                                              "tc1=100 freq=ch1234 number=0123456789 eos=req")),
            BuildCallCharacters(semi));

  DscMessage group;
  group.FormatSpecifier = kFormatGroup;
  group.Address = "023200000";
  group.Category = 110;
  group.SelfId = "232001000";
  group.FirstTelecommand = 100;
  group.SecondTelecommand = 105;
  group.FirstFrequency = DscFrequency::Khz(2182);
  group.SecondFrequency = DscFrequency::Khz(8414.5);
  EXPECT_EQ(CharactersOf(ParseCallDescription("format=114 to=023200000 category=urgency "
                                              "from=232001000 tc1=100 tc2=105 freq=2182 "
                                              "freq2=8414.5")),
            BuildCallCharacters(group));
}

TEST(CallDescriptionParserTest, BadDescriptionsNameTheKeyAndValue) {
  EXPECT_EQ(ErrorOf("format=individual to=211234560 from=232001000 colour=red"),
            "colour=red: unknown key");
  EXPECT_EQ(ErrorOf("format=individual to=211234560 to=211234561 from=232001000"),
            "to=211234561: key given twice");
  EXPECT_EQ(ErrorOf("format=individual to= from=232001000"), "to=: empty value");
  EXPECT_EQ(ErrorOf("format=individual 211234560"), "211234560: expected key=value");
  EXPECT_EQ(ErrorOf("=5"), "=5: expected key=value");
  EXPECT_EQ(ErrorOf("   "), "empty call description");
  EXPECT_EQ(ErrorOf("to=211234560 from=232001000"),
            "missing key format: give the call's format (or its symbols as raw)");
  EXPECT_EQ(ErrorOf("format=individual from=232001000"),
            "missing key to: an individual call needs the called station's identity");
  EXPECT_EQ(ErrorOf("format=area to=211234560 from=232001000"),
            "missing key area: an area call is sent to an area");
  EXPECT_EQ(ErrorOf("format=all-ships to=211234560 from=232001000"),
            "to=211234560: not used by an all-ships call");
  EXPECT_EQ(ErrorOf("format=individual to=211234560 from=232001000 number=123"),
            "number=123: not used by an individual call");
  EXPECT_EQ(ErrorOf("format=individual to=211234560 from=232001000 tc1=99"),
            "tc1=99: expected a whole number 100..127");
  EXPECT_EQ(ErrorOf("format=individual to=211234560 from=232001000 position=unknown"),
            "position=unknown: a working position must be known");
  EXPECT_EQ(ErrorOf("format=individual to=211234560 from=232001000 freq=2182 "
                    "position=N1-00,E1-00"),
            "position=N1-00,E1-00: a call carries frequencies or a position, not both");
  EXPECT_EQ(ErrorOf("format=individual to=211234560 from=232001000 dots=2001"),
            "dots=2001: expected a whole number 0..2000");
  EXPECT_EQ(ErrorOf("format=individual to=211234560 from=232001000 freq=vhf16 eos=maybe"),
            "eos=maybe: expected req, ack, other, or 117, 122, 127");
}

TEST(CallDescriptionParserTest, RawCallsKeepTheirSymbolsAndAnOptionalWrongCheck) {
  const CallDescription raw = ParseCallDescription("raw=120,120,1,2,3,4,5,100,127 dots=0");
  const auto& symbols = std::get<RawSymbols>(raw.Call);
  EXPECT_EQ(symbols.Characters, (std::vector<int>{120, 120, 1, 2, 3, 4, 5, 100, 127}));
  EXPECT_EQ(symbols.Check, std::nullopt);
  EXPECT_EQ(raw.DotPatternBits, 0);

  const CallDescription checked = ParseCallDescription("raw=120,120,127 check=7");
  EXPECT_EQ(std::get<RawSymbols>(checked.Call).Check, 7);

  EXPECT_EQ(ErrorOf("raw=120,120,127 format=individual"),
            "format=individual: not used by a raw call");
  EXPECT_EQ(ErrorOf("raw=120,120,127 check=128"), "check=128: expected a whole number 0..127");
  EXPECT_EQ(ErrorOf("format=individual to=211234560 from=232001000 check=5"),
            "check=5: not used by an individual call");
}

TEST(CallDescriptionParserTest, JsonArraysTakeStringsNumbersAndSymbolLists) {
  const auto calls = ParseCallDescriptionsJson(R"([
    {"format": "group", "to": "023200000", "from": 232001000, "category": 110, "tc1": 100,
     "tc2": 105, "freq": 2182, "freq2": 8414.5},
    {"raw": [120, 120, 127], "check": 9}
  ])");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(CharactersOf(calls[0]),
            CharactersOf(ParseCallDescription("format=114 to=023200000 category=urgency "
                                              "from=232001000 tc1=100 tc2=105 freq=2182 "
                                              "freq2=8414.5")));
  EXPECT_EQ(std::get<RawSymbols>(calls[1].Call).Characters, (std::vector<int>{120, 120, 127}));
  EXPECT_EQ(std::get<RawSymbols>(calls[1].Call).Check, 9);

  auto error_of = [](std::string_view json) -> std::string {
    try {
      ParseCallDescriptionsJson(json);
    } catch (const CallDescriptionError& error) {
      return error.what();
    }
    return "";
  };
  // A number loses an identity's leading zeros: it must be quoted.
  EXPECT_EQ(error_of(R"([{"format": "distress", "from": 232001000},
                         {"format": "individual", "to": 2320001, "from": 232001000}])"),
            "call 2: to=2320001: an identity has nine digits (quote it in JSON when it starts "
            "with 0)");
  EXPECT_EQ(error_of(R"([{"format": "distress", "from": {"mmsi": 1}}])"),
            R"(call 1: from={"mmsi":1}: expected a string or a number (raw: a list of numbers))");
  EXPECT_EQ(error_of(R"({"format": "distress"})"), "expected a JSON array of call objects");
  EXPECT_EQ(error_of(R"([["format", "distress"]])"), "call 1: expected an object of keys");
  EXPECT_TRUE(error_of(R"([{"format": )").starts_with("not valid JSON: "));
}

}  // namespace
}  // namespace tolvik
