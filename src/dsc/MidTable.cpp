#include "dsc/MidTable.h"

#include <algorithm>
#include <fstream>
#include <optional>

namespace tolvik {

namespace {

constexpr std::size_t kMidDigits = 3;
constexpr std::string_view kCoastPrefix = "00";
constexpr std::string_view kAircraftPrefix = "111";

// Lines are taken in pieces of at most this many characters (line feed
// included); the rest of a longer line is read as a line of its own.
constexpr std::size_t kMaxPieceLength = 255;

constexpr char kFieldSeparator = ',';
constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';

// The three MID digits of an identity; shorter when the identity is.
std::string_view MidKey(std::string_view identity) {
  std::size_t start = 0;
  if (identity.starts_with(kCoastPrefix)) {
    start = kCoastPrefix.size();
  } else if (identity.starts_with(kAircraftPrefix)) {
    start = kAircraftPrefix.size();
  }
  return identity.substr(std::min(start, identity.size()), kMidDigits);
}

// Reads the next piece of a line into piece, a CR LF pair read as one line
// feed. False at the end of the file with nothing read.
bool ReadPiece(std::istream& file, std::string& piece) {
  piece.clear();
  while (piece.size() < kMaxPieceLength) {
    const int c = file.get();
    if (c == std::char_traits<char>::eof()) {
      break;
    }
    char character = static_cast<char>(c);
    if (character == kCarriageReturn && file.peek() == kLineFeed) {
      file.get();
      character = kLineFeed;
    }
    piece.push_back(character);
    if (character == kLineFeed) {
      break;
    }
  }
  return !piece.empty();
}

// The outcome of one piece: whether its first field is the key, and its
// second field when that was closed by a comma or the line feed.
struct PieceMatch {
  bool Found = false;                  // the first field equals the key
  std::optional<std::string> Country;  // the closed second field of a found line
};

PieceMatch MatchPiece(std::string_view piece, std::string_view key) {
  PieceMatch match;
  std::string field;  // the field being collected
  int field_index = 0;
  for (const char character : piece) {
    if (character != kFieldSeparator && character != kLineFeed) {
      field.push_back(character);
      continue;
    }
    if (field_index == 0) {
      match.Found = field == key;
    } else if (field_index == 1 && match.Found) {
      match.Country = field;
    }
    ++field_index;
    field.clear();
  }
  return match;
}

}  // namespace

std::string LookupCountry(const std::filesystem::path& mid_file, std::string_view identity) {
  std::ifstream file(mid_file, std::ios::binary);
  if (!file) {
    return std::string(kNoCountryText);
  }
  const std::string_view key = MidKey(identity);
  std::string piece;
  while (ReadPiece(file, piece)) {
    const PieceMatch match = MatchPiece(piece, key);
    if (match.Found) {
      return match.Country.value_or(std::string(kNoCountryText));
    }
  }
  return std::string(kNoCountryText);
}

}  // namespace tolvik
