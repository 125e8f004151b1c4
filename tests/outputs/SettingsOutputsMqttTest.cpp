// The desktop program's MQTT output as the Outputs settings make it,
// against a real mosquitto broker and subscriber.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "CallRecords.h"
#include "LoopbackSockets.h"
#include "outputs/SettingsOutputs.h"
#include "support/MosquittoBroker.h"
#include "support/MqttSubscriber.h"
#include "support/RecordingSinks.h"
#include "support/WorkedExample.h"

namespace tolvik {
namespace {

using testing::Eventually;
using testing::MosquittoBroker;
using testing::MqttSubscriber;
using testing::RecordingStatusSink;

class SettingsOutputsMqttTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (MosquittoBroker::Executable().empty()) {
      GTEST_SKIP() << "mosquitto is not installed";
    }
  }

  void SwitchOn(int port, const std::string& station) {
    settings_.MqttOn = true;
    settings_.MqttHost = "127.0.0.1";
    settings_.MqttPort = port;
    settings_.MqttStation = station;
  }

  void Tell() {
    const testing::RecordedCall call =
        testing::Received(testing::WorkedExampleMessage(), DistressKind::None);
    outputs_.Observer().CallWritten(call.Written());
  }

  std::string Panel0() const { return status_.LastIn(StatusPanel::Decoder); }

  // Whether panel 0 has shown a text holding `part`, once the publisher's
  // reports are passed on as the decoding thread passes them on.
  bool EventuallyShown(const std::string& part) {
    return Eventually([&] {
      outputs_.ShowOutputReports();
      return Panel0().find(part) != std::string::npos;
    });
  }

  AppSettings settings_;
  RecordingStatusSink status_;
  SettingsOutputs outputs_{settings_, status_, "/var/tmp/default-logs"};
};

TEST_F(SettingsOutputsMqttTest, EachCallGoesOutAsJsonAndOnlyItsOwnSettingsReopenIt) {
  MosquittoBroker broker;
  MqttSubscriber desk(broker.Port(), "tolvik/desk/call");
  MqttSubscriber desk_status(broker.Port(), "tolvik/desk/status");
  SwitchOn(broker.Port(), "desk");
  outputs_.Start();
  EXPECT_TRUE(status_.shown.empty());  // a start without problems stays quiet
  Tell();
  const auto messages = desk.WaitForMessages(1);
  ASSERT_EQ(messages.size(), 1u);
  const auto object = nlohmann::json::parse(messages.front().payload);
  EXPECT_EQ(object.at("from"), "366123450");
  EXPECT_TRUE(object.contains("utc"));
  EXPECT_FALSE(object.contains("file"));  // no recording: live reception
  EXPECT_TRUE(desk_status.WaitForPayload("online"));

  // Another output's field, or this one's left as it was: the same
  // connection goes on.
  const MqttPublisher* publisher = outputs_.Mqtt();
  settings_.NmeaUdpHost = "localhost";
  outputs_.FollowSettings();
  EXPECT_EQ(outputs_.Mqtt(), publisher);
  EXPECT_EQ(desk_status.Messages().back().payload, "online");

  // A new station name: the old one goes offline, the calls go to the new.
  MqttSubscriber harbour(broker.Port(), "tolvik/harbour/call");
  settings_.MqttStation = "harbour";
  outputs_.FollowSettings();
  EXPECT_EQ(Panel0(), "MQTT to 127.0.0.1:" + std::to_string(broker.Port()));
  ASSERT_NE(outputs_.Mqtt(), nullptr);
  EXPECT_EQ(outputs_.Mqtt()->Settings().station, "harbour");
  EXPECT_TRUE(desk_status.WaitForPayload("offline"));
  Tell();
  EXPECT_EQ(harbour.WaitForMessages(1).size(), 1u);

  settings_.MqttOn = false;
  outputs_.FollowSettings();
  EXPECT_EQ(outputs_.Mqtt(), nullptr);
  EXPECT_EQ(Panel0(), "MQTT to 127.0.0.1:" + std::to_string(broker.Port()) + " off");
  EXPECT_EQ(desk.Messages().size(), 1u);
}

TEST_F(SettingsOutputsMqttTest, ABrokerThatIsAwayIsToldInPanel0AndGetsTheCallsWhenItComes) {
  MosquittoBroker broker;
  broker.Stop();
  SwitchOn(broker.Port(), "desk");
  outputs_.Start();
  ASSERT_NE(outputs_.Mqtt(), nullptr);  // made; it keeps trying
  Tell();
  Tell();
  EXPECT_TRUE(EventuallyShown("cannot reach the MQTT broker")) << Panel0();
  EXPECT_TRUE(Panel0().starts_with("MQTT to 127.0.0.1:")) << Panel0();

  broker.Start();
  MqttSubscriber calls(broker.Port(), "tolvik/desk/call");
  EXPECT_EQ(calls.WaitForMessages(2).size(), 2u);
  EXPECT_TRUE(EventuallyShown("reached the MQTT broker")) << Panel0();
}

TEST_F(SettingsOutputsMqttTest, AnUnreadableCredentialsFileIsAStandingProblemInPanel0) {
  MosquittoBroker broker;
  SwitchOn(broker.Port(), "desk");
  settings_.MqttCredentials = "/nonexistent/tolvik-credentials";
  outputs_.Start();
  EXPECT_EQ(outputs_.Mqtt(), nullptr);
  const std::string shown = Panel0();
  EXPECT_TRUE(shown.starts_with("MQTT to 127.0.0.1:")) << shown;
  EXPECT_NE(shown.find("/nonexistent/tolvik-credentials"), std::string::npos) << shown;
  Tell();  // told to nobody, harmlessly

  // A change elsewhere does not hide it behind news of success.
  settings_.NmeaUdp = true;
  outputs_.FollowSettings();
  EXPECT_EQ(Panel0(), shown);
}

}  // namespace
}  // namespace tolvik
