#include <nlohmann/json.hpp>

#include "gen/CallDescriptionParser.h"

namespace tolvik {

namespace {

// A JSON value as the text a key=value description would hold.
std::optional<std::string> ValueText(const nlohmann::json& value) {
  if (value.is_string()) {
    return value.get<std::string>();
  }
  if (value.is_number()) {
    return value.dump();
  }
  if (value.is_array()) {
    // raw as a list of symbols
    std::string text;
    for (const auto& item : value) {
      if (!item.is_number_integer()) {
        return std::nullopt;
      }
      if (!text.empty()) {
        text += ',';
      }
      text += item.dump();
    }
    return text;
  }
  return std::nullopt;
}

CallDescription CallFromObject(const nlohmann::json& object, DroppedKeys dropped) {
  if (!object.is_object()) {
    throw CallDescriptionError("expected an object of keys");
  }
  KeyValues pairs;
  for (const auto& [key, value] : object.items()) {
    const auto text = ValueText(value);
    if (!text) {
      throw CallDescriptionError(key + "=" + value.dump() +
                                 ": expected a string or a number (raw: a list of numbers)");
    }
    pairs.emplace_back(key, *text);
  }
  return BuildCallDescription(pairs, dropped);
}

}  // namespace

std::vector<CallDescription> ParseCallDescriptionsJson(std::string_view json_text,
                                                       DroppedKeys dropped) {
  nlohmann::json document;
  try {
    document = nlohmann::json::parse(json_text);
  } catch (const nlohmann::json::parse_error& error) {
    throw CallDescriptionError(std::string("not valid JSON: ") + error.what());
  }
  if (!document.is_array()) {
    throw CallDescriptionError("expected a JSON array of call objects");
  }
  std::vector<CallDescription> calls;
  for (std::size_t i = 0; i < document.size(); ++i) {
    try {
      calls.push_back(CallFromObject(document[i], dropped));
    } catch (const CallDescriptionError& error) {
      throw CallDescriptionError("call " + std::to_string(i + 1) + ": " + error.what());
    }
  }
  return calls;
}

}  // namespace tolvik
