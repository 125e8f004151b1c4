#include "outputs/MqttPublisher.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "support/MosquittoBroker.h"
#include "support/MqttSubscriber.h"

namespace tolvik {
namespace {

using testing::MosquittoBroker;
using testing::MqttSubscriber;

// Retries come quickly, so that a broker started again is found at once.
MqttSettings SettingsFor(int port, const std::string& station = "test") {
  MqttSettings settings;
  settings.host = "127.0.0.1";
  settings.port = port;
  settings.station = station;
  settings.first_retry = std::chrono::milliseconds(50);
  settings.longest_retry = std::chrono::milliseconds(200);
  return settings;
}

std::vector<std::string> Payloads(const std::vector<MqttSubscriber::Message>& messages) {
  std::vector<std::string> payloads;
  for (const auto& message : messages) {
    payloads.push_back(message.payload);
  }
  return payloads;
}

std::vector<std::string> Numbered(int first, int count) {
  std::vector<std::string> payloads;
  for (int i = first; i < first + count; ++i) {
    payloads.push_back("{\"call\":" + std::to_string(i) + "}");
  }
  return payloads;
}

class MqttPublisherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (MosquittoBroker::Executable().empty()) {
      GTEST_SKIP() << "mosquitto is not installed";
    }
  }
};

TEST_F(MqttPublisherTest, CallsArriveInOrderAndStatusIsOnlineThenOffline) {
  MosquittoBroker broker;
  MqttSubscriber calls(broker.Port(), "tolvik/test/call");
  const std::vector<std::string> sent = Numbered(0, 200);  // ten times the in-flight window
  {
    MqttPublisher publisher(SettingsFor(broker.Port()));
    for (const std::string& payload : sent) {
      publisher.Publish(payload);
    }
    EXPECT_EQ(Payloads(calls.WaitForMessages(sent.size())), sent);
    // A collector that comes later still reads the station's state.
    MqttSubscriber status(broker.Port(), "tolvik/test/status");
    EXPECT_TRUE(status.WaitForPayload("online"));
    EXPECT_TRUE(status.Messages().front().retained);
    EXPECT_EQ(publisher.Stop(), 0u);
    EXPECT_TRUE(status.WaitForPayload("offline"));
    EXPECT_EQ(publisher.DeliveredMessages(), sent.size());
  }
  MqttSubscriber late(broker.Port(), "tolvik/test/status");
  ASSERT_FALSE(late.WaitForMessages(1).empty());
  EXPECT_EQ(late.Messages().front().payload, "offline");
}

TEST_F(MqttPublisherTest, CallsQueuedWhileTheBrokerIsDownArriveWhenItReturns) {
  // The subscriber's session outlives the restart, so that calls the
  // publisher sends before the subscriber is back wait for it at the broker.
  MosquittoBroker broker("", MosquittoBroker::Sessions::Kept);
  MqttSubscriber calls(broker.Port(), "tolvik/test/call",
                       MqttSubscriber::PersistentSession{"collector"});
  MqttPublisher publisher(SettingsFor(broker.Port()));
  publisher.Publish("before");
  ASSERT_EQ(Payloads(calls.WaitForMessages(1)), std::vector<std::string>{"before"});
  broker.Stop();
  const std::vector<std::string> meanwhile = Numbered(0, 50);
  for (const std::string& payload : meanwhile) {
    publisher.Publish(payload);
  }
  EXPECT_EQ(publisher.QueuedMessages(), meanwhile.size());
  broker.Start();  // the same port; no subscriber has seen these calls
  std::vector<std::string> expected{"before"};
  expected.insert(expected.end(), meanwhile.begin(), meanwhile.end());
  // "before" may come twice: when the broker stops before the subscriber's
  // acknowledgement reaches it, the kept session delivers it again, as QoS 1
  // allows. Every call must still come, in the order it was published.
  EXPECT_EQ(calls.WaitForDistinctPayloads(expected.size()), expected);
  EXPECT_EQ(publisher.Stop(), 0u);
}

TEST_F(MqttPublisherTest, AFullQueueDropsTheOldestCountsThemAndKeepsTheNewest) {
  // The subscriber's session is made before the broker goes down and kept
  // across the restart, so that messages the publisher sends before the
  // subscriber is back wait for it at the broker however busy the machine.
  MosquittoBroker broker("", MosquittoBroker::Sessions::Kept);
  const MqttSubscriber::PersistentSession session{"queue-collector"};
  { const MqttSubscriber registers(broker.Port(), "tolvik/test/call", session); }
  broker.Stop();
  MqttSettings settings = SettingsFor(broker.Port());
  settings.queue_limit = 5;
  std::mutex reports_mutex;
  std::vector<std::string> reports;
  MqttPublisher publisher(settings, [&](const std::string& report) {
    const std::lock_guard<std::mutex> lock(reports_mutex);
    reports.push_back(report);
  });
  for (const std::string& payload : Numbered(0, 12)) {
    publisher.Publish(payload);
  }
  EXPECT_EQ(publisher.DroppedMessages(), 7u);
  EXPECT_EQ(publisher.QueuedMessages(), 5u);
  broker.Start();
  MqttSubscriber calls(broker.Port(), "tolvik/test/call", session);
  EXPECT_EQ(Payloads(calls.WaitForMessages(5)), Numbered(7, 5));
  EXPECT_EQ(publisher.Stop(), 0u);
  const std::lock_guard<std::mutex> lock(reports_mutex);
  int full_reports = 0;
  for (const std::string& report : reports) {
    full_reports += report.find("is full") != std::string::npos;
  }
  EXPECT_EQ(full_reports, 1);  // told once, not for each of the seven
}

TEST_F(MqttPublisherTest, PublishingWithNoBrokerNeverWaits) {
  MosquittoBroker broker;
  broker.Stop();  // its port is known to be free of any broker
  MqttPublisher publisher(SettingsFor(broker.Port()));
  const std::vector<std::string> payloads = Numbered(0, 10000);
  for (const std::string& payload : payloads) {
    publisher.Publish(payload);
  }
  EXPECT_EQ(publisher.QueuedMessages(), 10000u);
  publisher.Publish("one more");
  EXPECT_EQ(publisher.DroppedMessages(), 1u);
  // Nobody takes them: a stop gives up after its drain time and says so.
  EXPECT_EQ(publisher.Stop(std::chrono::milliseconds(0)), 10000u);
  EXPECT_FALSE(publisher.Connected());
}

TEST_F(MqttPublisherTest, ABrokerWithPasswordsTakesTheRightUserAndRefusesOthers) {
  const std::filesystem::path passwords =
      std::filesystem::temp_directory_path() / ("tolvik-passwords-" + std::to_string(getpid()));
  const std::string make = "mosquitto_passwd -b -c " + passwords.string() + " station s3cret:x";
  if (std::system(make.c_str()) != 0) {
    GTEST_SKIP() << "mosquitto_passwd could not make a password file";
  }
  MosquittoBroker broker(passwords.string());
  MqttSubscriber calls(broker.Port(), "tolvik/test/call", "station", "s3cret:x");
  {
    MqttSettings wrong = SettingsFor(broker.Port());
    wrong.credentials = MqttCredentials{"station", "guess"};
    std::string refusal;
    std::mutex refusal_mutex;
    MqttPublisher refused(wrong, [&](const std::string& report) {
      const std::lock_guard<std::mutex> lock(refusal_mutex);
      refusal = report;
    });
    refused.Publish("refused");
    EXPECT_EQ(refused.Stop(std::chrono::milliseconds(300)), 1u);
    const std::lock_guard<std::mutex> lock(refusal_mutex);
    EXPECT_NE(refusal.find("refused"), std::string::npos) << refusal;
  }
  MqttSettings right = SettingsFor(broker.Port());
  right.credentials = MqttCredentials{"station", "s3cret:x"};
  MqttPublisher publisher(right);
  publisher.Publish("accepted");
  EXPECT_EQ(Payloads(calls.WaitForMessages(1)), std::vector<std::string>{"accepted"});
  std::filesystem::remove(passwords);
}

}  // namespace
}  // namespace tolvik
