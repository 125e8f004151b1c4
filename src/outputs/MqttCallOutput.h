#pragma once

#include <functional>
#include <string>

#include "audio/CallObserver.h"
#include "outputs/MqttPublisher.h"

namespace tolvik {

// Publishes every written row's call as one MQTT message, in whatever form
// the formatter gives it (a JSON object, say). Formatting runs on the
// decoding thread; the publisher takes it from there without waiting.
class MqttCallOutput final : public CallObserver {
 public:
  using Formatter = std::function<std::string(const WrittenCall&)>;

  // The publisher must outlive the output.
  MqttCallOutput(MqttPublisher& publisher, Formatter formatter)
      : publisher_(publisher), formatter_(std::move(formatter)) {}

  void CallWritten(const WrittenCall& call) override { publisher_.Publish(formatter_(call)); }

 private:
  MqttPublisher& publisher_;
  Formatter formatter_;
};

}  // namespace tolvik
