#include "outputs/CsvCallFormat.h"

#include <cstdio>
#include <initializer_list>
#include <vector>

#include "outputs/CallRecordFields.h"
#include "outputs/Utf8Text.h"

namespace tolvik {

namespace {

constexpr std::string_view kSourceColumns[] = {"file", "offset_s"};
constexpr std::string_view kCallColumns[] = {
    "category",         "from", "to",      "request_status", "information",
    "position",         "ack",  "time",    "distress",       "repaired",
    "decoder",          "utc",  "channel", "distress_utc",   "primary_symbols",
    "expansion_symbols"};

std::string JoinedFields(std::initializer_list<std::string> fields) {
  std::string line;
  bool first = true;
  for (const std::string& field : fields) {
    if (!first)
      line += ',';
    line += CsvField(ValidUtf8(field));
    first = false;
  }
  return line;
}

std::string SpaceSeparated(const std::vector<int>& values) {
  std::string text;
  for (const int value : values) {
    if (!text.empty())
      text += ' ';
    text += std::to_string(value);
  }
  return text;
}

std::string TenthsText(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", SecondsToTenths(seconds));
  return text;
}

}  // namespace

std::string CsvField(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos)
    return std::string(field);
  std::string quoted = "\"";
  for (const char c : field) {
    if (c == '"')
      quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string CsvCallFormat::HeaderLine() const {
  std::string line;
  const auto add = [&line](std::string_view name) {
    if (!line.empty())
      line += ',';
    line += name;
  };
  if (columns_ == Columns::WithSource) {
    for (const std::string_view name : kSourceColumns)
      add(name);
  }
  for (const std::string_view name : kCallColumns)
    add(name);
  return line;
}

std::string CsvCallFormat::Line(const WrittenCall& call, const CallContext& context) const {
  std::string line;
  if (columns_ == Columns::WithSource) {
    line = JoinedFields({context.file.value_or(""),
                         context.offset_s ? TenthsText(*context.offset_s) : std::string()}) +
           ",";
  }
  const ReceiveEntry& row = call.row;
  line += JoinedFields(
      {row.Category, row.From, row.To, row.RequestStatus, row.Information, row.Position, row.Ack,
       row.Time, std::to_string(static_cast<int>(call.kind)), call.repaired ? "true" : "false",
       DecoderName(call.decoder), context.utc, ChannelName(call.channel),
       DistressUtcText(call).value_or(""), SpaceSeparated(SymbolValues(call.symbols.Primary)),
       SpaceSeparated(SymbolValues(call.symbols.Expansion))});
  return line;
}

}  // namespace tolvik
