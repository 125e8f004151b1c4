#pragma once

#include <string>

#include "dsc/DistressKind.h"
#include "list/ReceiveEntry.h"

namespace tolvik {

// One decoded call as tolvik-decode reports it.
struct DecodedRow {
  std::string file;
  double offset_s = 0;  // audio from the start of the input to the end of the completing block
  const ReceiveEntry* entry = nullptr;
  DistressKind kind = DistressKind::None;
  bool enhanced = false;  // made by the enhanced decoder, not the standard chain
  bool repaired = false;  // the check character mended one of its characters
  int channel = 0;        // decoder channel: 0 left, 1 right
};

// "12.3" style: seconds to one decimal.
double RoundToTenths(double seconds);

// Whether a plain line says which input channel the row came from: only
// worth its column when both are decoded.
enum class ChannelColumn { Hidden, Shown };

// An aligned line for people to read.
std::string FormatPlainRow(const DecodedRow& row, bool with_file,
                           ChannelColumn channel = ChannelColumn::Hidden);

}  // namespace tolvik
