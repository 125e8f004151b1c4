#pragma once

#include "outputs/CallRecordFormat.h"

namespace tolvik {

// A call as one line of comma-separated values, quoted as RFC 4180 says: a
// field holding a comma, a double quote, CR or LF is put in double quotes,
// and a double quote inside it is doubled. Lines end in LF alone, not
// RFC 4180's CR LF, so that grep, tail and friends see plain lines; a CR or
// LF inside a field stays, inside its quotes. Spreadsheets and Python's csv
// module read either ending.
//
// The columns are the JSON keys (JsonCallFormat) with the symbols flattened
// into two fields of space-separated numbers, "primary_symbols" and
// "expansion_symbols"; a null distress_utc is an empty field; booleans are
// "true" and "false". "file" and "offset_s" lead only in a format made with
// the source columns (tolvik-decode's printed rows), so that every line of a
// log has the same columns whatever program wrote it. Text is UTF-8: bytes
// that are not become U+FFFD.
class CsvCallFormat final : public CallRecordFormat {
 public:
  enum class Columns { Call, WithSource };
  explicit CsvCallFormat(Columns columns = Columns::Call) : columns_(columns) {}

  std::string_view FileExtension() const override { return "csv"; }
  std::string HeaderLine() const override;
  std::string Line(const WrittenCall& call, const CallContext& context) const override;

 private:
  Columns columns_;
};

// `field` as it stands in a CSV line: quoted when it must be.
std::string CsvField(std::string_view field);

}  // namespace tolvik
