#include "ui/AddressKind.h"

#include "dsc/MidTable.h"

namespace tolvik {

namespace {

// Station identities are nine digits; so is every text worth a country.
constexpr std::size_t kIdentityLength = 9;
constexpr std::string_view kCoastPrefix = "00";
constexpr std::string_view kAircraftPrefix = "111";
constexpr std::string_view kAllStationsText = "All stations";
constexpr std::string_view kNotAvailableText = "N/A";
constexpr const char* kNoCountry = "-";

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsIdentity(std::string_view text) {
  if (text.size() != kIdentityLength) {
    return false;
  }
  for (const char c : text) {
    if (!IsDigit(c)) {
      return false;
    }
  }
  return true;
}

AddressKind ClassifyNineCharacters(std::string_view text) {
  const char first = text[0];
  if (!IsDigit(first)) {
    return AddressKind::None;
  }
  if (first >= '2' && first <= '7') {
    return AddressKind::Ship;
  }
  if (text.starts_with(kCoastPrefix)) {
    return AddressKind::Coast;
  }
  if (first == '0') {
    return AddressKind::Group;
  }
  if (text.starts_with(kAircraftPrefix)) {
    return AddressKind::Aircraft;
  }
  // "1" without "11" after it, "8" and "9" name no station here.
  return AddressKind::None;
}

}  // namespace

AddressKind ClassifyAddress(std::string_view text) {
  if (text.size() == kIdentityLength) {
    return ClassifyNineCharacters(text);
  }
  if (text == kAllStationsText) {
    return AddressKind::AllStations;
  }
  if (text == kNotAvailableText) {
    return AddressKind::None;
  }
  // An area's text begins with the hemisphere of its reference latitude.
  if (!text.empty() && (text[0] == 'N' || text[0] == 'S')) {
    return AddressKind::Area;
  }
  return AddressKind::None;
}

std::string CountryOfAddress(const std::filesystem::path& mid_file, std::string_view identity) {
  if (!IsIdentity(identity)) {
    return kNoCountry;
  }
  return LookupCountry(mid_file, identity);
}

bool HasCountry(AddressKind kind) {
  return kind == AddressKind::Ship || kind == AddressKind::Coast || kind == AddressKind::Aircraft;
}

std::string KindLabelText(AddressKind kind, const std::string& country) {
  switch (kind) {
    case AddressKind::Ship:
    case AddressKind::Coast:
    case AddressKind::Aircraft:
      return "[" + country + "]";
    case AddressKind::Group:
      return "[Group call]";
    case AddressKind::Area:
      return "[Area call]";
    case AddressKind::AllStations:
    case AddressKind::None:
      break;
  }
  return {};
}

std::optional<InformationPicture> KindPicture(AddressKind kind) {
  switch (kind) {
    case AddressKind::Ship:
      return InformationPicture::Ship;
    case AddressKind::Coast:
      return InformationPicture::Coast;
    case AddressKind::Group:
    case AddressKind::AllStations:
      return InformationPicture::Ships;
    case AddressKind::Aircraft:
      return InformationPicture::Aircraft;
    case AddressKind::Area:
      return InformationPicture::Area;
    case AddressKind::None:
      break;
  }
  return std::nullopt;
}

}  // namespace tolvik
