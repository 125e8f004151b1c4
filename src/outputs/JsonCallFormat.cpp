#include "outputs/JsonCallFormat.h"

#include "outputs/CallRecordFields.h"

namespace tolvik {

nlohmann::ordered_json JsonCallFormat::Object(const WrittenCall& call, const CallContext& context) {
  nlohmann::ordered_json object;
  if (context.file)
    object["file"] = *context.file;
  if (context.offset_s)
    object["offset_s"] = SecondsToTenths(*context.offset_s);
  const ReceiveEntry& row = call.row;
  object["category"] = row.Category;
  object["from"] = row.From;
  object["to"] = row.To;
  object["request_status"] = row.RequestStatus;
  object["information"] = row.Information;
  object["position"] = row.Position;
  object["ack"] = row.Ack;
  object["time"] = row.Time;
  object["distress"] = static_cast<int>(call.kind);
  object["repaired"] = call.repaired;
  object["decoder"] = DecoderName(call.decoder);
  object["utc"] = context.utc;
  object["channel"] = ChannelName(call.channel);
  object["symbols"] = {{"primary", SymbolValues(call.symbols.Primary)},
                       {"expansion", SymbolValues(call.symbols.Expansion)}};
  const std::optional<std::string> distress_utc = DistressUtcText(call);
  object["distress_utc"] = distress_utc ? nlohmann::ordered_json(*distress_utc) : nullptr;
  return object;
}

std::string JsonCallFormat::Dump(const nlohmann::ordered_json& object) {
  return object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string JsonCallFormat::Line(const WrittenCall& call, const CallContext& context) const {
  return Dump(Object(call, context));
}

}  // namespace tolvik
