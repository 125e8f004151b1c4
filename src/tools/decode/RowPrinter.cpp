#include "decode/RowPrinter.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>

namespace tolvik {

namespace {

// The widest To text: an area, "N99E999-S198E1098" (the far corner lies up
// to 99 degrees south and east of the reference corner).
constexpr std::size_t kToColumnWidth = 17;

// Pads `text` with spaces to `width` characters (longer texts stay whole).
std::string Padded(const std::string& text, std::size_t width) {
  std::string padded = text.empty() ? "-" : text;
  if (padded.size() < width)
    padded.append(width - padded.size(), ' ');
  return padded;
}

}  // namespace

double RoundToTenths(double seconds) {
  return std::round(seconds * 10.0) / 10.0;
}

std::string FormatPlainRow(const DecodedRow& row, bool with_file) {
  const ReceiveEntry& e = *row.entry;
  char offset[32];
  std::snprintf(offset, sizeof offset, "%9.1fs", RoundToTenths(row.offset_s));
  std::string line = with_file ? row.file + ":" : "";
  line += offset;
  line += "  " + Padded(e.Category, 8);
  line += "  " + Padded(e.From, 9);
  line += " -> " + Padded(e.To, kToColumnWidth);
  line += "  " + Padded(e.RequestStatus, 20);
  line += "  " + Padded(e.Ack, 3);
  if (!e.Information.empty())
    line += "  " + e.Information;
  if (!e.Position.empty())
    line += "  @ " + e.Position;
  return line;
}

std::string FormatJsonRow(const DecodedRow& row) {
  const ReceiveEntry& e = *row.entry;
  const nlohmann::ordered_json object = {
      {"file", row.file},
      {"offset_s", RoundToTenths(row.offset_s)},
      {"category", e.Category},
      {"from", e.From},
      {"to", e.To},
      {"request_status", e.RequestStatus},
      {"information", e.Information},
      {"position", e.Position},
      {"ack", e.Ack},
      {"time", e.Time},
      {"distress", static_cast<int>(row.kind)},
      {"repaired", row.repaired},
      {"decoder", row.enhanced ? "enhanced" : "standard"},
  };
  // Texts from the air may hold any byte; never let one stop the output.
  return object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace tolvik
