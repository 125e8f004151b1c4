#include "decode/RowPrinter.h"

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

std::string FormatPlainRow(const DecodedRow& row, bool with_file, ChannelColumn channel) {
  const ReceiveEntry& e = *row.entry;
  char offset[32];
  std::snprintf(offset, sizeof offset, "%9.1fs", RoundToTenths(row.offset_s));
  std::string line = with_file ? row.file + ":" : "";
  line += offset;
  if (channel == ChannelColumn::Shown)
    line += row.channel == 1 ? "  R" : "  L";
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

}  // namespace tolvik
