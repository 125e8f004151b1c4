#pragma once

#include <nlohmann/json.hpp>

#include "outputs/CallRecordFormat.h"

namespace tolvik {

// A call as one JSON object on one line (JSON lines), keys in this order:
//
//   file, offset_s    only when the context has them (a recording decoded)
//   category, from, to, request_status, information, position, ack, time
//                     the row's texts
//   distress          -1 none, 0 alert, 1 acknowledgement, 2 relay
//   repaired          the check character mended one of its characters
//   decoder           "standard" or "enhanced"
//   utc               when the row was written, ISO 8601 with date and zone
//   channel           "left" or "right"
//   symbols           {"primary": [...], "expansion": [...]}, as received
//   distress_utc      "hh:mm" of the distress position's time, or null
//
// Texts from the air may hold any byte: bytes that are not UTF-8 become
// U+FFFD, and no text makes the format throw.
class JsonCallFormat final : public CallRecordFormat {
 public:
  std::string_view FileExtension() const override { return "jsonl"; }
  std::string HeaderLine() const override { return {}; }
  std::string Line(const WrittenCall& call, const CallContext& context) const override;

  // The object itself, for an output that adds keys of its own.
  static nlohmann::ordered_json Object(const WrittenCall& call, const CallContext& context);
  // An object as one line.
  static std::string Dump(const nlohmann::ordered_json& object);
};

}  // namespace tolvik
