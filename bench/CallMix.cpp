#include "CallMix.h"

#include <array>
#include <cstdio>
#include <random>

#include "dsc/DscVocabulary.h"
#include "gen/CallDescriptionParser.h"

namespace tolvik {

namespace {

// Draws the fields of one call as the generator's key=value texts.
class FieldDraw {
 public:
  explicit FieldDraw(std::uint64_t seed) : engine_(seed) {}

  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

  std::string Digits(int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) {
      digits += static_cast<char>('0' + Between(0, 9));
    }
    return digits;
  }

  // Maritime identification digits start with 2..7.
  std::string Mid() { return std::to_string(Between(2, 7)) + Digits(2); }
  std::string Ship() { return Mid() + Digits(6); }
  std::string Coast() { return std::string("00").append(Mid()).append(Digits(4)); }
  std::string GroupId() { return std::string("0").append(Mid()).append(Digits(5)); }

  std::string Kilohertz() {
    // Anywhere in the MF/HF maritime range, in steps of 100 Hz.
    const int tenths = Between(16000, 275000);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
  }
  std::string HfChannel() { return "ch" + std::to_string(Between(401, 2510)); }
  std::string VhfChannel() { return "vhf" + std::to_string(Between(1, 28) + 59 * Between(0, 1)); }

  std::string Position() {
    char text[32];
    std::snprintf(text, sizeof text, "%c%d-%02d,%c%d-%02d", Between(0, 1) ? 'N' : 'S',
                  Between(0, 89), Between(0, 59), Between(0, 1) ? 'E' : 'W', Between(0, 179),
                  Between(0, 59));
    return text;
  }

  std::string Utc() {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", Between(0, 23), Between(0, 59));
    return text;
  }

  // One of the assigned natures: 111 is unassigned, and a call holding it
  // shows "N/A", which the enhanced decoder withholds as a soft decision it
  // cannot trust; no transmitter sends it.
  std::string Nature() {
    const int nature = Between(kNatureFire, kNatureEpirb - 1);
    return std::to_string(nature == kNatureEpirb - 1 ? kNatureEpirb : nature);
  }

  // A north-western or north-eastern area, its far corner south and east.
  std::string AreaCorners() {
    const int latitude = Between(10, 80);
    const int latitude_far = latitude - Between(1, 9);
    const bool east = Between(0, 1) == 1;
    const int longitude = east ? Between(0, 170) : Between(10, 179);
    const int longitude_far = east ? longitude + Between(1, 9) : longitude - Between(1, 9);
    char text[32];
    std::snprintf(text, sizeof text, "N%d%c%d-N%d%c%d", latitude, east ? 'E' : 'W', longitude,
                  latitude_far, east ? 'E' : 'W', longitude_far);
    return text;
  }

  template <std::size_t N>
  const char* OneOf(const std::array<const char*, N>& choices) {
    return choices[static_cast<std::size_t>(Between(0, static_cast<int>(N) - 1))];
  }

 private:
  std::mt19937_64 engine_;  // the set's random source
};

std::string Describe(CallLayout layout, FieldDraw& draw) {
  static constexpr std::array<const char*, 4> kTelecommands = {"100", "101", "109", "118"};
  static constexpr std::array<const char*, 3> kEndings = {"req", "ack", "other"};
  switch (layout) {
    case CallLayout::IndividualWithFrequency:
      return "format=individual to=" + draw.Ship() + " from=" + draw.Ship() +
             " tc1=" + draw.OneOf(kTelecommands) + " freq=" + draw.Kilohertz() +
             " freq2=" + draw.Kilohertz() + " eos=" + draw.OneOf(kEndings);
    case CallLayout::AllShipsSafety:
      return "format=all-ships category=safety from=" + draw.Coast() +
             " tc1=" + draw.OneOf(kTelecommands) + " freq=" + draw.HfChannel();
    case CallLayout::DistressAlert:
      return "format=distress from=" + draw.Ship() + " nature=" + draw.Nature() +
             " dpos=" + draw.Position() + " utc=" + draw.Utc();
    case CallLayout::DistressRelay:
      return "format=all-ships category=distress tc1=112 from=" + draw.Coast() +
             " ship=" + draw.Ship() + " nature=" + draw.Nature() + " dpos=" + draw.Position() +
             " utc=" + draw.Utc();
    case CallLayout::SemiAutomatic:
      return "format=semi-auto to=" + draw.Coast() + " from=" + draw.Ship() +
             " tc1=100 freq=" + draw.VhfChannel() + " number=" + draw.Digits(draw.Between(6, 16)) +
             " eos=req";
    case CallLayout::Area: {
      std::string text = "format=area area=" + draw.AreaCorners() + " from=" + draw.Coast() +
                         " category=urgency tc1=" + draw.OneOf(kTelecommands) +
                         " position=" + draw.Position();
      if (draw.Between(0, 1) == 1) {
        char enhance[32];
        std::snprintf(enhance, sizeof enhance, " enhance=%04d,%04d", draw.Between(0, 9999),
                      draw.Between(0, 9999));
        text += enhance;
      }
      return text;
    }
    case CallLayout::Group:
      return "format=group to=" + draw.GroupId() + " from=" + draw.Ship() +
             " tc1=" + draw.OneOf(kTelecommands) + " freq=" + draw.Kilohertz();
  }
  return {};
}

}  // namespace

std::string CallLayoutName(CallLayout layout) {
  switch (layout) {
    case CallLayout::IndividualWithFrequency:
      return "individual";
    case CallLayout::AllShipsSafety:
      return "all-ships safety";
    case CallLayout::DistressAlert:
      return "distress alert";
    case CallLayout::DistressRelay:
      return "distress relay";
    case CallLayout::SemiAutomatic:
      return "semi-automatic";
    case CallLayout::Area:
      return "area";
    case CallLayout::Group:
      return "group";
  }
  return "?";
}

CallLayout LayoutOfMixCall(int index) {
  return static_cast<CallLayout>(index % kCallLayoutCount);
}

std::vector<CallDescription> MakeCallMix(int count, std::uint64_t seed) {
  FieldDraw draw(seed);
  std::vector<CallDescription> calls;
  calls.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    calls.push_back(ParseCallDescription(Describe(LayoutOfMixCall(i), draw)));
  }
  return calls;
}

}  // namespace tolvik
