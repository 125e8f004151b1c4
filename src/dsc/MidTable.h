#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

namespace tolvik {

// What LookupCountry answers when the file or the entry is missing.
inline constexpr std::string_view kNoCountryText = "No Data";

// The country of a nine-digit station identity from the table file mid.txt:
// comma-separated lines of MID and country, LF or CR LF line ends. The MID is
// the three digits after "00" for a coast station, after "111" for an
// aircraft, otherwise the first three. The file is read afresh at every
// call; the first line whose first field equals the MID decides, and its
// second field is the answer: "No Data" when that line has no closed second
// field, when no line matches or when the file cannot be opened.
std::string LookupCountry(const std::filesystem::path& mid_file, std::string_view identity);

// The table file beside the program, looked up through LookupCountry.
class MidTable {
 public:
  explicit MidTable(std::filesystem::path mid_file) : mid_file_(std::move(mid_file)) {}

  std::string LookupCountry(std::string_view identity) const {
    return tolvik::LookupCountry(mid_file_, identity);
  }

  const std::filesystem::path& File() const { return mid_file_; }

 private:
  std::filesystem::path mid_file_;  // path of mid.txt
};

}  // namespace tolvik
