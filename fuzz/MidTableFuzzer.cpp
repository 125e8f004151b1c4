// LookupCountry on arbitrary mid.txt content. The answer is "No Data" or a
// second field of one of the file's lines: never longer than a line piece,
// never holding a comma or a line break, always found in the file.
//
// Input: one byte whose value modulo 10 is the identity's length (the
// dialog asks with nine digits; shorter ones must be safe too), that many
// bytes giving its digits (byte modulo 10), then the file's content.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dsc/MidTable.h"
#include "support/FuzzBytes.h"
#include "support/Require.h"
#include "support/TempFolder.h"

namespace {

using tolvik::fuzzing::Require;

constexpr int kDigitValues = 10;
constexpr std::size_t kLongestLinePiece = 255;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tolvik::fuzzing::FuzzBytes input(data, size);
  const int length = input.Next() % kDigitValues;
  std::string identity;
  for (int i = 0; i < length; ++i) {
    identity += static_cast<char>('0' + input.Next() % kDigitValues);
  }
  const auto content = input.Rest();
  const std::filesystem::path file = tolvik::fuzzing::TempFolder::Write("mid.txt", content);

  const std::string country = tolvik::LookupCountry(file, identity);
  if (country == tolvik::kNoCountryText) {
    return 0;
  }
  Require(country.size() < kLongestLinePiece);
  Require(country.find_first_of(",\n") == std::string::npos);
  const std::string_view text(reinterpret_cast<const char*>(content.data()), content.size());
  Require(text.find(country) != std::string_view::npos);
  return 0;
}
