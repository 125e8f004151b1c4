#pragma once

#include <string>

#include "dsc/DistressKind.h"

namespace tolvik {

// A completed call turned into the texts of one receive-list row (all but
// its time), and how it relates to distress. One instance per decoder
// channel; the texts persist from call to call, and the interpreter leaves
// some of them alone for some layouts.
struct CallTexts {
  std::string Category;
  std::string From;
  std::string To;
  std::string RequestStatus;
  std::string Information;
  std::string Position;
  std::string Ack;
  DistressKind Kind = DistressKind::None;
};

}  // namespace tolvik
