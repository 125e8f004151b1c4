#include "outputs/SettingsOutputs.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "LoopbackSockets.h"
#include "dsc/DscEncoder.h"
#include "support/RecordingSinks.h"
#include "support/UdpListener.h"
#include "support/WorkedExample.h"

namespace tolvik {
namespace {

using testing::ConnectTo;
using testing::Eventually;
using testing::ReadBytes;
using testing::RecordingStatusSink;
using testing::UdpListener;

// A written row of a message, as the receiver hands it over.
class Written {
 public:
  explicit Written(const DscMessage& message) {
    const Characters primary = BuildCallCharacters(message);
    std::copy(primary.begin(), primary.end(), symbols_.Primary.Symbols.begin());
    symbols_.Primary.Count = static_cast<int>(primary.size());
  }
  WrittenCall Call() const {
    return {symbols_, row_, DistressKind::None, CallDecoder::Standard, 0};
  }

 private:
  DscCall symbols_;
  ReceiveEntry row_;
};

// The worked example from 366123450, and the same call from another ship,
// to tell the two apart at a listener.
DscMessage FromShip(const std::string& self_id) {
  DscMessage message = testing::WorkedExampleMessage();
  message.SelfId = self_id;
  return message;
}

constexpr const char* kWorkedExampleStart = "$CDDSC,20,3661234500,00,";
constexpr const char* kOtherShipStart = "$CDDSC,20,2320010000,00,";

class SettingsOutputsTest : public ::testing::Test {
 protected:
  void Tell(const DscMessage& message) { outputs_.Observer().CallWritten(Written(message).Call()); }

  std::string Panel0() const { return status_.LastIn(StatusPanel::Decoder); }

  AppSettings settings_;
  RecordingStatusSink status_;
  SettingsOutputs outputs_{settings_, status_, "/var/tmp/default-logs"};
};

TEST_F(SettingsOutputsTest, WithEveryOutputOffNothingOpensAndNothingIsShown) {
  outputs_.Start();
  EXPECT_EQ(outputs_.NmeaUdpSender(), nullptr);
  EXPECT_EQ(outputs_.NmeaTcpServer(), nullptr);
  Tell(testing::WorkedExampleMessage());  // told to nobody, harmlessly
  EXPECT_TRUE(status_.shown.empty());
}

// Nothing may arrive while the output is off; a test cannot wait for
// nothing, so the next datagram after switching on again must be the call
// told after that.
TEST_F(SettingsOutputsTest, UdpSwitchedOffSendsNothingUntilSwitchedOnAgain) {
  UdpListener listener;
  settings_.NmeaUdp = true;
  settings_.NmeaUdpPort = listener.Port();
  outputs_.Start();
  EXPECT_TRUE(status_.shown.empty());  // a start without problems stays quiet
  settings_.NmeaUdp = false;
  outputs_.FollowSettings();
  EXPECT_EQ(outputs_.NmeaUdpSender(), nullptr);
  EXPECT_EQ(Panel0(), "NMEA over UDP to 127.0.0.1:" + std::to_string(listener.Port()) + " off");
  Tell(FromShip("232001000"));

  settings_.NmeaUdp = true;
  outputs_.FollowSettings();
  EXPECT_EQ(Panel0(), "NMEA over UDP to 127.0.0.1:" + std::to_string(listener.Port()));
  Tell(testing::WorkedExampleMessage());
  const std::string sentence = listener.Receive();
  EXPECT_TRUE(sentence.starts_with(kWorkedExampleStart)) << sentence;
}

TEST_F(SettingsOutputsTest, ANewPortTakesEffectAtOnce) {
  UdpListener old_listener;
  UdpListener new_listener;
  settings_.NmeaUdp = true;
  settings_.NmeaUdpPort = old_listener.Port();
  outputs_.Start();
  settings_.NmeaUdpPort = new_listener.Port();
  outputs_.FollowSettings();
  Tell(FromShip("232001000"));
  const std::string sentence = new_listener.Receive();
  EXPECT_TRUE(sentence.starts_with(kOtherShipStart)) << sentence;
}

TEST_F(SettingsOutputsTest, ATakenTcpPortIsReportedInPanel0AndTheOtherOutputsGoOn) {
  const TcpSentenceServer occupant(0);
  UdpListener listener;
  settings_.NmeaTcp = true;
  settings_.NmeaTcpPort = occupant.Port();
  settings_.NmeaUdp = true;
  settings_.NmeaUdpPort = listener.Port();
  outputs_.Start();

  EXPECT_EQ(outputs_.NmeaTcpServer(), nullptr);
  const std::string shown = Panel0();
  EXPECT_TRUE(shown.starts_with("NMEA over TCP on port " + std::to_string(occupant.Port()) + ": "))
      << shown;
  EXPECT_NE(shown.find("in use"), std::string::npos) << shown;
  Tell(testing::WorkedExampleMessage());
  EXPECT_TRUE(listener.Receive().starts_with(kWorkedExampleStart));

  // A finished field without a change leaves the panel alone, and a change
  // elsewhere does not hide the closed output behind news of success.
  status_.shown.clear();
  outputs_.FollowSettings();
  EXPECT_TRUE(status_.shown.empty());
  settings_.NmeaUdpHost = "localhost";
  outputs_.FollowSettings();
  EXPECT_EQ(Panel0(), shown);
  ASSERT_TRUE(Eventually([&] {
    outputs_.ShowOutputReports();
    return outputs_.NmeaUdpSender() != nullptr;
  }));
  EXPECT_EQ(Panel0(), shown);  // the name found is no news while TCP stays closed

  // Switched off, nothing stands in the way any more.
  settings_.NmeaTcp = false;
  outputs_.FollowSettings();
  EXPECT_EQ(Panel0(), "NMEA over TCP on port " + std::to_string(occupant.Port()) + " off");
}

// editingFinished comes also when the user only passes through a field:
// the plotters connected to the TCP server must not be dropped for that.
TEST_F(SettingsOutputsTest, FollowingUnchangedSettingsKeepsTcpClientsConnected) {
  settings_.NmeaTcp = true;
  settings_.NmeaTcpPort = 0;  // any free port, for the test
  outputs_.Start();
  const TcpSentenceServer* server = outputs_.NmeaTcpServer();
  ASSERT_NE(server, nullptr);
  const int client = ConnectTo(server->Port());
  ASSERT_GE(client, 0);
  ASSERT_TRUE(Eventually([&] { return server->ClientCount() == 1; }));

  status_.shown.clear();
  outputs_.FollowSettings();
  settings_.NmeaUdpHost = "localhost";  // another output's field, while it is off
  outputs_.FollowSettings();
  EXPECT_EQ(outputs_.NmeaTcpServer(), server);
  EXPECT_EQ(server->ClientCount(), 1);

  Tell(testing::WorkedExampleMessage());
  const std::string received = ReadBytes(client, std::string(kWorkedExampleStart).size());
  EXPECT_TRUE(received.starts_with(kWorkedExampleStart)) << received;
  close(client);
}

TEST_F(SettingsOutputsTest, UdpAndTcpBothGetEachCall) {
  UdpListener listener;
  settings_.NmeaUdp = true;
  settings_.NmeaUdpPort = listener.Port();
  settings_.NmeaTcp = true;
  settings_.NmeaTcpPort = 0;
  outputs_.Start();
  const int client = ConnectTo(outputs_.NmeaTcpServer()->Port());
  ASSERT_TRUE(Eventually([&] { return outputs_.NmeaTcpServer()->ClientCount() == 1; }));
  Tell(testing::WorkedExampleMessage());
  EXPECT_TRUE(listener.Receive().starts_with(kWorkedExampleStart));
  EXPECT_TRUE(
      ReadBytes(client, std::string(kWorkedExampleStart).size()).starts_with(kWorkedExampleStart));
  close(client);
}

// A temporary folder for the daily log, removed with what it holds.
class LogFolder {
 public:
  LogFolder() {
    path_ = std::filesystem::temp_directory_path() /
            ("tolvik-outputs-log-" + std::to_string(getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(path_);
  }
  ~LogFolder() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::string OnlyFileText(const std::filesystem::path& folder) {
  std::string text;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    ++files;
    std::ifstream in(entry.path());
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  EXPECT_EQ(files, 1);
  return text;
}

TEST_F(SettingsOutputsTest, TheLogSwitchedOnWritesEachCallInTheChosenFormatAndSwitchesFormat) {
  LogFolder folder;
  settings_.LogOn = true;
  settings_.LogFolder = folder.Path().string();
  outputs_.Start();
  ASSERT_NE(outputs_.CallLog(), nullptr);
  Tell(testing::WorkedExampleMessage());
  const std::string csv = OnlyFileText(folder.Path());
  EXPECT_TRUE(csv.starts_with("category,")) << csv;  // the header, then the row
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 2) << csv;

  settings_.LogFormat = kLogFormatJsonLines;
  outputs_.FollowSettings();
  EXPECT_EQ(Panel0(), "Call log in " + folder.Path().string());
  Tell(testing::WorkedExampleMessage());
  bool json_seen = false;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    json_seen = json_seen || entry.path().extension() == ".jsonl";
  }
  EXPECT_TRUE(json_seen);

  settings_.LogOn = false;
  outputs_.FollowSettings();
  EXPECT_EQ(outputs_.CallLog(), nullptr);
}

// The folder's place is taken by a file: running as root, a folder without
// write permission would still be written.
TEST_F(SettingsOutputsTest, ALogFolderThatCannotBeWrittenIsNamedInPanel0AndNmeaGoesOn) {
  LogFolder folder;
  { std::ofstream blocker(folder.Path()); }
  UdpListener listener;
  settings_.NmeaUdp = true;
  settings_.NmeaUdpPort = listener.Port();
  settings_.LogOn = true;
  settings_.LogFolder = folder.Path().string();
  outputs_.Start();
  Tell(testing::WorkedExampleMessage());
  EXPECT_NE(Panel0().find(folder.Path().string()), std::string::npos) << Panel0();
  EXPECT_TRUE(listener.Receive().starts_with(kWorkedExampleStart));
  std::filesystem::remove(folder.Path());
}

}  // namespace
}  // namespace tolvik
