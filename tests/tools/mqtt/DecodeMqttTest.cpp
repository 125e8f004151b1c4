// tolvik-decode --mqtt as a user runs it: tolvik-gen writes the calls,
// tolvik-decode publishes them to a real mosquitto broker, and a real
// client subscribes, as a collector of several stations' calls would.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/ChildProgram.h"
#include "support/MosquittoBroker.h"
#include "support/MqttSubscriber.h"

namespace tolvik {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing::ChildProgram;
using testing::MosquittoBroker;
using testing::MqttSubscriber;

constexpr const char* kStation = "e2e";
constexpr const char* kCallTopic = "tolvik/e2e/call";
constexpr const char* kStatusTopic = "tolvik/e2e/status";
// Far beyond the time a row takes to be decoded from a pipe (well under a
// second); only a fault makes a wait this long.
constexpr std::chrono::seconds kRowPatience{20};
constexpr int kSampleRateHz = 48000;

// Calls of every layout that carries an address, position or frequency.
const std::vector<std::string> kEveryLayout = {
    "format=distress from=338040079 nature=adrift dpos=N42-31,W83-12 utc=20:19",
    "format=all-ships category=distress tc1=112 from=235076393 ship=503110520 nature=sinking",
    "format=area area=N35E139-N30E149 from=002320001 category=urgency tc1=109 "
    "position=N35-41,E139-45",
    "format=group to=023200000 from=232001000 tc1=100 freq=2182 freq2=8414.5",
    "format=individual to=211234560 from=338158137 tc1=121 position=N42-31,W83-12 eos=ack",
    "format=semi-auto to=002320001 from=232001000 tc1=100 freq=vhf26 number=0123456789 eos=req",
};

// The ships 232001100, 232001101, ...: their order shows the calls' order.
std::string NumberedShip(int number) {
  return std::to_string(232001100 + number);
}

std::vector<std::string> NumberedCalls(int first, int count) {
  std::vector<std::string> calls;
  for (int number = first; number < first + count; ++number) {
    calls.push_back("format=individual to=211234560 from=" + NumberedShip(number) +
                    " tc1=100 freq=vhf16 eos=req");
  }
  return calls;
}

class DecodeMqttTest : public ::testing::Test {
 protected:
  fs::path dir =
      fs::temp_directory_path() / ("tolvik_decode_mqtt_" + std::to_string(getpid()) + "_" +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());

  void SetUp() override {
    if (MosquittoBroker::Executable().empty()) {
      GTEST_SKIP() << "mosquitto is not installed";
    }
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  // A VHF recording of `calls` by tolvik-gen.
  fs::path Generate(const std::string& name, const std::vector<std::string>& calls,
                    const std::vector<std::string>& options = {}) const {
    const fs::path file = dir / name;
    std::vector<std::string> arguments{TOLVIK_GEN, "--vhf", "-o", file.string()};
    arguments.insert(arguments.end(), options.begin(), options.end());
    for (const std::string& call : calls) {
      arguments.insert(arguments.end(), {"--call", call});
    }
    ChildProgram gen(arguments, dir / "gen-stderr.txt");
    gen.CloseInput();
    EXPECT_EQ(gen.Wait(), 0) << gen.ErrorText();
    return file;
  }

  // The samples of a generated recording alone, as a sound card's raw
  // stream would bring them.
  std::string RawSamples(const std::vector<std::string>& calls,
                         const std::vector<std::string>& options = {}) const {
    const fs::path file = Generate("raw.wav", calls, options);
    std::ifstream wav(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(wav), {}};
    const std::size_t data = bytes.find("data");
    EXPECT_NE(data, std::string::npos);
    constexpr std::size_t kChunkHeaderBytes = 8;
    return bytes.substr(data + kChunkHeaderBytes);
  }

  // tolvik-decode --vhf with `arguments`, its input closed: standard
  // output's lines and the exit status.
  struct Run {
    std::vector<std::string> lines;
    int exit_status;
    std::string errors;
  };
  Run Decode(const std::vector<std::string>& arguments) const {
    std::vector<std::string> command{TOLVIK_DECODE, "--vhf"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    ChildProgram decode(command, dir / "decode-stderr.txt");
    decode.CloseInput();
    Run run;
    while (const auto line = decode.ReadLine(std::chrono::seconds(60))) {
      run.lines.push_back(*line);
    }
    run.exit_status = decode.Wait();
    run.errors = decode.ErrorText();
    return run;
  }

  // tolvik-decode --mqtt reading a raw stream from standard input, live.
  std::unique_ptr<ChildProgram> LiveDecode(const MosquittoBroker& broker) const {
    return std::make_unique<ChildProgram>(
        std::vector<std::string>{TOLVIK_DECODE, "--vhf", "--mqtt", Broker(broker), "--mqtt-station",
                                 kStation, "--raw-rate", std::to_string(kSampleRateHz),
                                 "--raw-channels", "1", "-"},
        dir / "live-stderr.txt");
  }

  static std::string Broker(const MosquittoBroker& broker) {
    return "127.0.0.1:" + std::to_string(broker.Port());
  }

  // Reads `count` rows, each as it is decoded; false if one did not come.
  static bool ReadRows(ChildProgram& decode, int count) {
    for (int row = 0; row < count; ++row) {
      if (!decode.ReadLine(kRowPatience)) {
        return false;
      }
    }
    return true;
  }
};

// A message as a row object, without the times it was written ("utc" and
// the list's "time"): those are the wall clock's, not the call's.
json WithoutWallClock(const std::string& text) {
  json object = json::parse(text);
  EXPECT_TRUE(object.contains("utc") && object.contains("time")) << text;
  object.erase("utc");
  object.erase("time");
  return object;
}

std::vector<std::string> Senders(const std::vector<std::string>& payloads) {
  std::vector<std::string> senders;
  for (const std::string& payload : payloads) {
    const std::string from = json::parse(payload).value("from", "");
    senders.push_back(from.substr(0, from.find_first_not_of("0123456789")));
  }
  return senders;
}

std::vector<std::string> NumberedShips(int first, int count) {
  std::vector<std::string> ships;
  for (int number = first; number < first + count; ++number) {
    ships.push_back(NumberedShip(number));
  }
  return ships;
}

TEST_F(DecodeMqttTest, EveryRowArrivesInOrderAsTheObjectThatJsonPrints) {
  std::vector<std::string> calls = kEveryLayout;
  const std::vector<std::string> numbered = NumberedCalls(0, 10);
  calls.insert(calls.end(), numbered.begin(), numbered.end());
  const fs::path recording = Generate("calls.wav", calls);
  const Run printed = Decode({"--json", recording.string()});
  ASSERT_EQ(printed.lines.size(), calls.size()) << printed.errors;

  MosquittoBroker broker;
  MqttSubscriber subscriber(broker.Port(), kCallTopic);
  const Run published =
      Decode({"--mqtt", Broker(broker), "--mqtt-station", kStation, recording.string()});
  EXPECT_EQ(published.exit_status, 0) << published.errors;
  EXPECT_EQ(published.lines.size(), calls.size());  // the rows still printed
  EXPECT_EQ(published.errors.find("not delivered"), std::string::npos) << published.errors;

  const auto messages = subscriber.WaitForMessages(calls.size());
  ASSERT_EQ(messages.size(), calls.size());
  for (std::size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(WithoutWallClock(messages[i].payload), WithoutWallClock(printed.lines[i])) << i;
    EXPECT_FALSE(messages[i].retained);
  }
  // A program that finished says so to collectors that come later.
  MqttSubscriber status(broker.Port(), kStatusTopic);
  ASSERT_FALSE(status.WaitForMessages(1).empty());
  EXPECT_EQ(status.Messages().front().payload, "offline");
  EXPECT_TRUE(status.Messages().front().retained);
}

TEST_F(DecodeMqttTest, TopicsAreThePrefixAndTheHostNameWhenNoStationIsGiven) {
  std::array<char, 256> host{};
  ASSERT_EQ(gethostname(host.data(), host.size() - 1), 0);
  const std::string prefix = std::string("coast/dsc/") + host.data();
  const fs::path recording = Generate("one.wav", NumberedCalls(0, 1));
  MosquittoBroker broker;
  MqttSubscriber calls(broker.Port(), prefix + "/call");
  MqttSubscriber status(broker.Port(), prefix + "/status");
  const Run run =
      Decode({"--mqtt", Broker(broker), "--mqtt-topic", "coast/dsc/", recording.string()});
  EXPECT_EQ(run.exit_status, 0) << run.errors;
  EXPECT_EQ(Senders(calls.WaitForDistinctPayloads(1)), NumberedShips(0, 1));
  EXPECT_TRUE(status.WaitForPayload("offline"));
}

TEST_F(DecodeMqttTest, CallsDecodedWhileTheBrokerIsDownArriveAfterItReturns) {
  const std::string before = RawSamples(NumberedCalls(0, 2));
  const std::string meanwhile = RawSamples(NumberedCalls(2, 3));
  MosquittoBroker broker("", MosquittoBroker::Sessions::Kept);
  MqttSubscriber calls(broker.Port(), kCallTopic, MqttSubscriber::PersistentSession{"collector"});
  const auto decode = LiveDecode(broker);

  ASSERT_TRUE(decode->Write(before));
  ASSERT_TRUE(ReadRows(*decode, 2)) << decode->ErrorText();
  EXPECT_EQ(Senders(calls.WaitForDistinctPayloads(2)), NumberedShips(0, 2));  // sent as decoded

  broker.Stop();
  ASSERT_TRUE(decode->Write(meanwhile));
  ASSERT_TRUE(ReadRows(*decode, 3)) << decode->ErrorText();  // decoding goes on
  broker.Start();
  EXPECT_EQ(Senders(calls.WaitForDistinctPayloads(5)), NumberedShips(0, 5));

  decode->CloseInput();
  EXPECT_EQ(decode->Wait(), 0);
  EXPECT_EQ(decode->ErrorText().find("not delivered"), std::string::npos) << decode->ErrorText();
}

TEST_F(DecodeMqttTest, AKilledDecoderIsMarkedOfflineByTheBrokersLastWill) {
  const std::string one_call = RawSamples(NumberedCalls(0, 1));
  MosquittoBroker broker;
  MqttSubscriber status(broker.Port(), kStatusTopic);
  const auto decode = LiveDecode(broker);
  ASSERT_TRUE(decode->Write(one_call));
  ASSERT_TRUE(ReadRows(*decode, 1)) << decode->ErrorText();
  ASSERT_TRUE(status.WaitForPayload("online"));

  decode->Kill(SIGKILL);  // no chance to say goodbye
  EXPECT_EQ(decode->Wait(), 128 + SIGKILL);
  EXPECT_TRUE(status.WaitForPayload("offline"));
  MqttSubscriber fresh(broker.Port(), kStatusTopic);
  const auto retained = fresh.WaitForMessages(1);
  ASSERT_FALSE(retained.empty());
  EXPECT_EQ(retained.front().payload, "offline");
  EXPECT_TRUE(retained.front().retained);
}

// Ctrl-C on a live stream that has gone quiet: the last call's end still
// sits in the block being read, so its row waits. The interrupt must hand
// it on, print it, deliver it to the broker and say goodbye, not drop it.
TEST_F(DecodeMqttTest, InterruptedLiveDecodeHandsOnTheWaitingCallAndDeliversIt) {
  // 10 ms after the call: less than a block, too little to complete it.
  const std::string samples = RawSamples(NumberedCalls(0, 1), {"--trail", "0.01"});
  MosquittoBroker broker;
  MqttSubscriber calls(broker.Port(), kCallTopic);
  MqttSubscriber status(broker.Port(), kStatusTopic);
  const auto decode = LiveDecode(broker);
  ASSERT_TRUE(decode->Write(samples));
  ASSERT_TRUE(status.WaitForPayload("online"));
  // Two seconds is twenty blocks: a row that could come would have come.
  EXPECT_FALSE(decode->ReadLine(std::chrono::seconds(2)));

  decode->Kill(SIGINT);
  const auto row = decode->ReadLine(kRowPatience);
  ASSERT_TRUE(row) << decode->ErrorText();
  EXPECT_NE(row->find(NumberedShip(0)), std::string::npos) << *row;
  EXPECT_EQ(decode->Wait(), 128 + SIGINT);
  EXPECT_EQ(Senders(calls.WaitForDistinctPayloads(1)), NumberedShips(0, 1));
  EXPECT_TRUE(status.WaitForPayload("offline"));
  EXPECT_EQ(decode->ErrorText().find("not delivered"), std::string::npos) << decode->ErrorText();
}

// SIGTERM, as a service manager sends it, ends a decode of files between
// blocks: the calls decoded so far are out, the exit status says why.
TEST_F(DecodeMqttTest, TerminatedFileDecodeStopsBetweenBlocks) {
  const fs::path recording = Generate("long.wav", NumberedCalls(0, 1), {"--trail", "600"});
  ChildProgram decode(
      {TOLVIK_DECODE, "--vhf", "--no-progress", recording.string(), recording.string()},
      dir / "term-stderr.txt");
  decode.CloseInput();
  ASSERT_TRUE(decode.ReadLine(kRowPatience)) << decode.ErrorText();
  decode.Kill(SIGTERM);
  // Ten minutes of audio take seconds to decode; stopping takes one block.
  EXPECT_FALSE(decode.ReadLine(kRowPatience));  // the second file is not started
  EXPECT_EQ(decode.Wait(), 128 + SIGTERM);
}

TEST_F(DecodeMqttTest, ABrokerThatIsNotThereNeitherStopsNorFailsTheDecode) {
  const fs::path recording = Generate("calls.wav", NumberedCalls(0, 3));
  MosquittoBroker broker;
  broker.Stop();  // its port is known to be free
  const Run run = Decode({"--mqtt", Broker(broker), recording.string()});
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.lines.size(), 3u);
  EXPECT_NE(run.errors.find("3 calls were not delivered to the MQTT broker " + Broker(broker)),
            std::string::npos)
      << run.errors;
}

TEST_F(DecodeMqttTest, UnusableCredentialsStopTheProgramBeforeItDecodes) {
  const fs::path recording = Generate("one.wav", NumberedCalls(0, 1));
  const fs::path missing = dir / "no-such-file";
  const fs::path malformed = dir / "malformed";
  std::ofstream(malformed) << "station-without-password\n";
  for (const fs::path& file : {missing, malformed}) {
    const Run run =
        Decode({"--mqtt", "127.0.0.1", "--mqtt-credentials", file.string(), recording.string()});
    EXPECT_EQ(run.exit_status, 2) << file;
    EXPECT_TRUE(run.lines.empty()) << file;
    EXPECT_NE(run.errors.find(file.string()), std::string::npos) << run.errors;
  }
  setenv("TOLVIK_MQTT_PASSWORD", "secret", 1);
  const Run no_user = Decode({"--mqtt", "127.0.0.1", recording.string()});
  unsetenv("TOLVIK_MQTT_PASSWORD");
  EXPECT_EQ(no_user.exit_status, 2);
  EXPECT_NE(no_user.errors.find("TOLVIK_MQTT_USER"), std::string::npos) << no_user.errors;
}

TEST_F(DecodeMqttTest, ACredentialsFileLetsTheCallsIntoABrokerWithPasswords) {
  const fs::path passwords = dir / "passwords";
  const std::string make = "mosquitto_passwd -b -c " + passwords.string() + " station 's3cret:x'";
  if (std::system(make.c_str()) != 0) {
    GTEST_SKIP() << "mosquitto_passwd could not make a password file";
  }
  const fs::path credentials = dir / "credentials";
  std::ofstream(credentials) << "# the coast station's account\nstation:s3cret:x\n";
  const fs::path recording = Generate("one.wav", NumberedCalls(0, 1));
  MosquittoBroker broker(passwords.string());
  MqttSubscriber calls(broker.Port(), kCallTopic, "station", "s3cret:x");
  const Run run = Decode({"--mqtt", Broker(broker), "--mqtt-station", kStation,
                          "--mqtt-credentials", credentials.string(), recording.string()});
  EXPECT_EQ(run.exit_status, 0) << run.errors;
  EXPECT_EQ(Senders(calls.WaitForDistinctPayloads(1)), NumberedShips(0, 1));
}

}  // namespace
}  // namespace tolvik
