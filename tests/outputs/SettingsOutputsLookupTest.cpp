// NMEA over UDP to a host name: the name is looked up off the decoding
// thread, and only the lookup of the settings in force may open anything.

#include <gtest/gtest.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <future>
#include <memory>
#include <string>

#include "CallRecords.h"
#include "ControlledResolver.h"
#include "LoopbackSockets.h"
#include "outputs/SettingsOutputs.h"
#include "support/RecordingSinks.h"
#include "support/UdpListener.h"
#include "support/WorkedExample.h"

namespace tolvik {
namespace {

using testing::ConnectTo;
using testing::ControlledResolver;
using testing::Eventually;
using testing::ReadBytes;
using testing::RecordingStatusSink;
using testing::UdpListener;

constexpr const char* kWorkedExampleStart = "$CDDSC,20,3661234500,00,";
constexpr const char* kOtherShipStart = "$CDDSC,20,2320010000,00,";

DscMessage FromOtherShip() {
  DscMessage message = testing::WorkedExampleMessage();
  message.SelfId = "232001000";
  return message;
}

std::string Panel0(const RecordingStatusSink& status) {
  return status.LastIn(StatusPanel::Decoder);
}

void Tell(SettingsOutputs& outputs, const DscMessage& message) {
  const testing::RecordedCall call = testing::Received(message, DistressKind::None);
  outputs.Observer().CallWritten(call.Written());
}

// Passes on finished lookups as the decoding thread does after each block,
// until NMEA over UDP is open.
bool EventuallyOpen(SettingsOutputs& outputs) {
  return Eventually([&] {
    outputs.ShowOutputReports();
    return outputs.NmeaUdpSender() != nullptr;
  });
}

// A UDP socket where "localhost" leads first, IPv4 or IPv6 as this
// machine's resolver orders them, so that a sender to that name reaches it.
class LocalhostListener {
 public:
  LocalhostListener() {
    UdpPeer where = ResolveUdpPeer("localhost", 0);
    socket_ = socket(where.address.ss_family, SOCK_DGRAM, 0);
    bind(socket_, reinterpret_cast<const sockaddr*>(&where.address), where.length);
    getsockname(socket_, reinterpret_cast<sockaddr*>(&where.address), &where.length);
    char port[NI_MAXSERV];
    getnameinfo(reinterpret_cast<const sockaddr*>(&where.address), where.length, nullptr, 0, port,
                sizeof port, NI_NUMERICSERV);
    port_ = std::stoi(port);
  }
  ~LocalhostListener() { close(socket_); }
  LocalhostListener(const LocalhostListener&) = delete;
  LocalhostListener& operator=(const LocalhostListener&) = delete;

  int Port() const { return port_; }

  // The next datagram, or "" when none comes within the tests' patience.
  std::string Receive() const {
    pollfd polled{socket_, POLLIN, 0};
    if (poll(&polled, 1, static_cast<int>(testing::kPatience.count())) <= 0) {
      return {};
    }
    char datagram[2048];
    const ssize_t n = recv(socket_, datagram, sizeof datagram, 0);
    return n > 0 ? std::string(datagram, static_cast<std::size_t>(n)) : std::string();
  }

 private:
  int socket_ = -1;
  int port_ = 0;
};

std::string UdpName(const std::string& host, int port) {
  return "NMEA over UDP to " + host + ":" + std::to_string(port);
}

// With the system's own resolver.
class SettingsOutputsNameTest : public ::testing::Test {
 protected:
  AppSettings settings_;
  RecordingStatusSink status_;
  SettingsOutputs outputs_{settings_, status_, "/var/tmp/default-logs"};
};

TEST_F(SettingsOutputsNameTest, LocalhostOpensOnceLookedUpAndItsDatagramsArrive) {
  LocalhostListener listener;
  outputs_.Start();
  settings_.NmeaUdp = true;
  settings_.NmeaUdpHost = "localhost";
  settings_.NmeaUdpPort = listener.Port();
  outputs_.FollowSettings();
  ASSERT_TRUE(EventuallyOpen(outputs_));
  EXPECT_FALSE(outputs_.LookingUpNmeaUdpHost());
  EXPECT_EQ(Panel0(status_), UdpName("localhost", listener.Port()));
  Tell(outputs_, testing::WorkedExampleMessage());
  const std::string sentence = listener.Receive();
  EXPECT_TRUE(sentence.starts_with(kWorkedExampleStart)) << sentence;
}

// The port changes at once after the name, before the first lookup can
// have answered: whichever lookup ends first, only the second may open.
TEST_F(SettingsOutputsNameTest, APortChangedDuringTheLookupIsTheOnlyOneSentTo) {
  LocalhostListener first;
  LocalhostListener second;
  settings_.NmeaUdp = true;
  settings_.NmeaUdpHost = "localhost";
  settings_.NmeaUdpPort = first.Port();
  outputs_.FollowSettings();
  settings_.NmeaUdpPort = second.Port();
  outputs_.FollowSettings();
  ASSERT_TRUE(EventuallyOpen(outputs_));
  Tell(outputs_, FromOtherShip());
  EXPECT_TRUE(second.Receive().starts_with(kOtherShipStart));

  // Had the first target been opened at any time, its first datagram
  // would be the call told above.
  settings_.NmeaUdpPort = first.Port();
  outputs_.FollowSettings();
  ASSERT_TRUE(EventuallyOpen(outputs_));
  Tell(outputs_, testing::WorkedExampleMessage());
  const std::string sentence = first.Receive();
  EXPECT_TRUE(sentence.starts_with(kWorkedExampleStart)) << sentence;
}

// ".invalid" is reserved (RFC 2606): no name server knows it, so the answer
// is a quick no wherever the test runs.
TEST_F(SettingsOutputsNameTest, ANameThatDoesNotResolveIsShownInPanel0AndTcpGoesOn) {
  settings_.NmeaTcp = true;
  settings_.NmeaTcpPort = 0;  // any free port, for the test
  settings_.NmeaUdp = true;
  settings_.NmeaUdpHost = "plotter.invalid";
  outputs_.FollowSettings();
  const std::string name = UdpName("plotter.invalid", settings_.NmeaUdpPort);
  ASSERT_TRUE(Eventually([&] {
    outputs_.ShowOutputReports();
    return !outputs_.LookingUpNmeaUdpHost();
  }));
  EXPECT_EQ(outputs_.NmeaUdpSender(), nullptr);
  const std::string shown = Panel0(status_);
  EXPECT_TRUE(shown.starts_with(name + ": cannot resolve plotter.invalid: ")) << shown;

  const TcpSentenceServer* server = outputs_.NmeaTcpServer();
  ASSERT_NE(server, nullptr);
  const int client = ConnectTo(server->Port());
  ASSERT_TRUE(Eventually([&] { return server->ClientCount() == 1; }));
  Tell(outputs_, testing::WorkedExampleMessage());
  const std::string received = ReadBytes(client, std::string(kWorkedExampleStart).size());
  EXPECT_TRUE(received.starts_with(kWorkedExampleStart)) << received;
  close(client);

  // Nothing further to pass on: the panel is left alone.
  status_.shown.clear();
  outputs_.ShowOutputReports();
  EXPECT_TRUE(status_.shown.empty());
}

// With a resolver that answers only when the test lets it, so that a
// lookup is reliably still running, or reliably over, where it matters.
class SettingsOutputsLookupTest : public ::testing::Test {
 protected:
  void SwitchOn(const std::string& host, int port) {
    settings_.NmeaUdp = true;
    settings_.NmeaUdpHost = host;
    settings_.NmeaUdpPort = port;
  }

  // Until `lookups` have asked the resolver.
  void AwaitLookups(int lookups) {
    ASSERT_TRUE(Eventually([&] { return resolver_.Asked() == lookups; }));
  }

  // Blocks after `lookups` have had their answers: long enough for anything
  // a lookup's thread has to deliver to be passed on. The thread writes its
  // answer as soon as the resolver returns, in microseconds; 100 ms of
  // blocks leaves room for a loaded machine to schedule it late.
  void PassOnBlocksAfterAnswers(int lookups) {
    ASSERT_TRUE(Eventually([&] { return resolver_.Returned() == lookups; }));
    constexpr int kBlocks = 100;
    for (int block = 0; block < kBlocks; ++block) {
      outputs_.ShowOutputReports();
      usleep(1000);  // about a block's worth of waiting each time
    }
  }

  ControlledResolver resolver_;
  AppSettings settings_;
  RecordingStatusSink status_;
  SettingsOutputs outputs_{settings_, status_, "/var/tmp/default-logs", resolver_.Function()};
};

TEST_F(SettingsOutputsLookupTest, WhileTheNameIsLookedUpNothingIsSentAndThePanelSaysSo) {
  UdpListener listener;
  outputs_.Start();
  SwitchOn("plotter.example", listener.Port());
  outputs_.FollowSettings();
  AwaitLookups(1);
  EXPECT_TRUE(outputs_.LookingUpNmeaUdpHost());
  EXPECT_EQ(outputs_.NmeaUdpSender(), nullptr);
  const std::string name = UdpName("plotter.example", listener.Port());
  EXPECT_EQ(Panel0(status_), name + ": looking up plotter.example");
  Tell(outputs_, FromOtherShip());  // to no one yet
  status_.shown.clear();
  outputs_.ShowOutputReports();
  EXPECT_TRUE(status_.shown.empty());

  resolver_.Answer("plotter.example");
  ASSERT_TRUE(EventuallyOpen(outputs_));
  EXPECT_EQ(Panel0(status_), name);
  Tell(outputs_, testing::WorkedExampleMessage());
  const std::string sentence = listener.Receive();
  EXPECT_TRUE(sentence.starts_with(kWorkedExampleStart)) << sentence;
}

// The old lookup answers last, after the new one has opened its target.
TEST_F(SettingsOutputsLookupTest, ALookupOvertakenByANewerSettingNeverOpensTheOldTarget) {
  UdpListener old_target;
  UdpListener new_target;
  SwitchOn("old.example", old_target.Port());
  outputs_.FollowSettings();
  SwitchOn("new.example", new_target.Port());
  outputs_.FollowSettings();
  AwaitLookups(2);
  resolver_.Answer("new.example");
  ASSERT_TRUE(EventuallyOpen(outputs_));
  const UdpSentenceSender* sender = outputs_.NmeaUdpSender();

  resolver_.Answer("old.example");
  status_.shown.clear();
  PassOnBlocksAfterAnswers(2);
  EXPECT_EQ(outputs_.NmeaUdpSender(), sender);
  EXPECT_TRUE(status_.shown.empty());
  Tell(outputs_, FromOtherShip());
  EXPECT_TRUE(new_target.Receive().starts_with(kOtherShipStart));

  // Had the old target been opened, its first datagram would be the call
  // told above.
  SwitchOn("127.0.0.1", old_target.Port());
  outputs_.FollowSettings();
  Tell(outputs_, testing::WorkedExampleMessage());
  const std::string sentence = old_target.Receive();
  EXPECT_TRUE(sentence.starts_with(kWorkedExampleStart)) << sentence;
}

TEST_F(SettingsOutputsLookupTest, SwitchedOffDuringTheLookupStaysOff) {
  UdpListener listener;
  SwitchOn("plotter.example", listener.Port());
  outputs_.FollowSettings();
  AwaitLookups(1);
  settings_.NmeaUdp = false;
  outputs_.FollowSettings();
  EXPECT_FALSE(outputs_.LookingUpNmeaUdpHost());
  const std::string off = UdpName("plotter.example", listener.Port()) + " off";
  EXPECT_EQ(Panel0(status_), off);

  resolver_.Answer("plotter.example");
  PassOnBlocksAfterAnswers(1);
  EXPECT_EQ(outputs_.NmeaUdpSender(), nullptr);
  EXPECT_EQ(Panel0(status_), off);
}

// At start only problems are shown, whenever they come.
TEST_F(SettingsOutputsLookupTest, AtStartAFoundNameIsQuietAndAFailingOneIsShown) {
  UdpListener listener;
  SwitchOn("plotter.example", listener.Port());
  resolver_.Answer("plotter.example");
  outputs_.Start();
  ASSERT_TRUE(EventuallyOpen(outputs_));
  EXPECT_TRUE(status_.shown.empty());

  SettingsOutputs again(settings_, status_, "/var/tmp/default-logs", resolver_.Function());
  settings_.NmeaUdpHost = "gone.example";
  resolver_.Fail("gone.example");
  again.Start();
  EXPECT_TRUE(status_.shown.empty());
  ASSERT_TRUE(Eventually([&] {
    again.ShowOutputReports();
    return !again.LookingUpNmeaUdpHost();
  }));
  EXPECT_EQ(again.NmeaUdpSender(), nullptr);
  EXPECT_EQ(Panel0(status_), UdpName("gone.example", listener.Port()) +
                                 ": cannot resolve gone.example: Name or service not known");
}

// The program quits while the name server keeps the lookup waiting.
TEST(SettingsOutputsQuitTest, QuittingDoesNotWaitForALookup) {
  ControlledResolver resolver;
  AppSettings settings;
  RecordingStatusSink status;
  settings.NmeaUdp = true;
  settings.NmeaUdpHost = "plotter.example";
  auto outputs = std::make_unique<SettingsOutputs>(settings, status, "/var/tmp/default-logs",
                                                   resolver.Function());
  outputs->Start();
  ASSERT_TRUE(Eventually([&] { return resolver.Asked() == 1; }));

  // On another thread, so that a destructor that waited fails here instead
  // of hanging the test.
  std::future<void> destroyed = std::async(std::launch::async, [&] { outputs.reset(); });
  EXPECT_TRUE(Eventually(
      [&] { return destroyed.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));

  // The answer comes after its asker has gone (AddressSanitizer watches
  // where it is written in the sanitizer build).
  resolver.Answer("plotter.example");
  destroyed.wait();
  resolver.Release();
  EXPECT_TRUE(Eventually([&] { return resolver.AllLookupsEnded(); }));
}

}  // namespace
}  // namespace tolvik
