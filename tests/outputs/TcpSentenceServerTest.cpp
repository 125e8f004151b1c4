#include "outputs/TcpSentenceServer.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "LoopbackSockets.h"
#include "outputs/OutputError.h"

namespace tolvik {
namespace {

using testing::ConnectTo;
using testing::Eventually;
using testing::ReadBytes;

// A sentence of a typical length that says which one it is.
std::string Numbered(int n) {
  return "$CDDSC,20,2320010000,00,00,26,900016,8888,,,R," + std::to_string(n) + "*00\r\n";
}

std::string NumberedStream(int first, int count) {
  std::string all;
  for (int n = first; n < first + count; ++n) {
    all += Numbered(n);
  }
  return all;
}

class TcpSentenceServerTest : public ::testing::Test {
 protected:
  // Connects a client and waits until the server has taken it.
  int Connect(int receive_buffer_bytes = 0) {
    const int expected = server_->ClientCount() + 1;
    const int client = ConnectTo(server_->Port(), receive_buffer_bytes);
    EXPECT_GE(client, 0);
    EXPECT_TRUE(Eventually([&] { return server_->ClientCount() == expected; }));
    return client;
  }

  void TearDown() override { server_.reset(); }

  std::unique_ptr<TcpSentenceServer> server_ = std::make_unique<TcpSentenceServer>(0);
};

TEST_F(TcpSentenceServerTest, EveryClientGetsEverySentenceInOrder) {
  const int first = Connect();
  const int second = Connect();
  const std::string expected = NumberedStream(0, 200);
  for (int n = 0; n < 200; ++n) {
    server_->SendSentence(Numbered(n));
  }
  EXPECT_EQ(ReadBytes(first, expected.size()), expected);
  EXPECT_EQ(ReadBytes(second, expected.size()), expected);
  close(first);
  close(second);
}

TEST_F(TcpSentenceServerTest, AClientGetsTheSentencesFromWhenItConnected) {
  const int early = Connect();
  server_->SendSentence(Numbered(1));
  ASSERT_EQ(ReadBytes(early, Numbered(1).size()), Numbered(1));
  const int late = Connect();
  server_->SendSentence(Numbered(2));
  EXPECT_EQ(ReadBytes(late, Numbered(2).size()), Numbered(2));
  EXPECT_EQ(ReadBytes(early, Numbered(2).size()), Numbered(2));
  close(early);
  close(late);
}

TEST_F(TcpSentenceServerTest, ClientsThatLeaveAreForgottenAndTheRestCarryOn) {
  const int staying = Connect();
  const int leaving = Connect();
  close(leaving);
  EXPECT_TRUE(Eventually([&] { return server_->ClientCount() == 1; }));
  server_->SendSentence(Numbered(7));
  EXPECT_EQ(ReadBytes(staying, Numbered(7).size()), Numbered(7));
  EXPECT_EQ(server_->DroppedClients(), 0u);
  close(staying);
}

TEST_F(TcpSentenceServerTest, AClientThatStopsReadingIsDroppedWithoutHoldingUpTheOther) {
  // Its receive buffer shrunk to the least the system allows, so that the
  // kernel's buffers and then its queue fill after a few hundred kilobytes.
  const int stalled = Connect(1024);
  const int reading = Connect();
  constexpr int kSentences = 20000;  // about 1.3 MB: several times what the stalled one can hold
  const std::string expected = NumberedStream(0, kSentences);
  std::atomic<std::size_t> received{0};
  std::string got;
  std::thread reader([&] {
    while (got.size() < expected.size()) {
      const std::string chunk = ReadBytes(reading, 1);
      if (chunk.empty()) {
        return;
      }
      got += chunk;
      received = got.size();
    }
  });
  // Paced by the reading client, which is never let fall more than a
  // quarter of a queue behind, however busy the machine: only the client
  // that never reads can fall behind, and it falls behind without bound.
  constexpr int kBurst = 100;
  constexpr std::size_t kLeadBytes = TcpSentenceServer::kClientQueueBytes / 4;
  std::size_t sent = 0;
  for (int n = 0; n < kSentences; n += kBurst) {
    if (!Eventually([&] { return sent <= received + kLeadBytes; })) {
      ADD_FAILURE() << "the reading client stopped receiving after " << received << " bytes";
      break;
    }
    for (int i = n; i < n + kBurst; ++i) {
      const std::string sentence = Numbered(i);
      server_->SendSentence(sentence);
      sent += sentence.size();
    }
  }
  reader.join();
  EXPECT_EQ(got.size(), expected.size());
  EXPECT_TRUE(got == expected);
  EXPECT_EQ(server_->DroppedClients(), 1u);
  EXPECT_EQ(server_->ClientCount(), 1);
  EXPECT_EQ(server_->DroppedSentences(), 0u);
  close(stalled);
  close(reading);
}

// A plotter that is switched off in the middle of a stream: it resets the
// connection (a close with unread data and no linger) while the server is
// writing to it. The server must neither die of SIGPIPE nor stall, and the
// client that stays gets every sentence.
TEST_F(TcpSentenceServerTest, AClientThatVanishesMidWriteIsForgotten) {
  const int vanishing = Connect();
  const int staying = Connect();
  // About 44 kB: less than a client's queue, so that the burst alone never
  // makes the staying client one that falls too far behind.
  constexpr int kSentences = 800;
  const std::string expected = NumberedStream(0, kSentences);
  ASSERT_LT(expected.size(), TcpSentenceServer::kClientQueueBytes);
  std::string got;
  std::thread reader([&] { got = ReadBytes(staying, expected.size()); });
  for (int n = 0; n < kSentences; ++n) {
    server_->SendSentence(Numbered(n));
    if (n == kSentences / 2) {
      const linger reset{1, 0};
      setsockopt(vanishing, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
      close(vanishing);
    }
  }
  reader.join();
  EXPECT_TRUE(got == expected) << got.size() << " of " << expected.size() << " bytes";
  EXPECT_TRUE(Eventually([&] { return server_->ClientCount() == 1; }));
  EXPECT_EQ(server_->DroppedSentences(), 0u);
  close(staying);
}

TEST_F(TcpSentenceServerTest, ClosingDeliversWhatIsStillQueued) {
  const int client = Connect();
  const std::string expected = NumberedStream(0, 500);
  for (int n = 0; n < 500; ++n) {
    server_->SendSentence(Numbered(n));
  }
  server_.reset();
  EXPECT_EQ(ReadBytes(client, expected.size() + 1), expected);  // and then the end of stream
  close(client);
}

TEST(TcpSentenceServerPortTest, APortInUseIsRefusedWithItsReason) {
  const TcpSentenceServer first(0);
  try {
    const TcpSentenceServer second(first.Port());
    FAIL() << "a second server took port " << first.Port();
  } catch (const OutputError& error) {
    EXPECT_NE(std::string(error.what()).find(std::to_string(first.Port())), std::string::npos);
  }
}

}  // namespace
}  // namespace tolvik
