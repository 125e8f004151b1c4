#include "outputs/UdpSentenceSender.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LoopbackSockets.h"
#include "outputs/OutputError.h"
#include "support/UdpListener.h"

namespace tolvik {
namespace {

using testing::UdpListener;

const std::vector<std::string> kSentences = {
    "$CDDSC,12,3380400790,12,06,00,1423108312,2019,,,S,E*6A\r\n",
    "$CDDSE,1,1,A,3380400790,00,45894494*1B\r\n",
    "$CDDSC,20,3381581370,00,21,26,1423108312,1902,,,B,E*7B\r\n",
};

TEST(UdpSentenceSenderTest, EachSentenceArrivesAsOneDatagramInOrder) {
  UdpListener listener;
  UdpSentenceSender sender("127.0.0.1", listener.Port());
  for (const std::string& sentence : kSentences) {
    sender.SendSentence(sentence);
  }
  for (const std::string& sentence : kSentences) {
    EXPECT_EQ(listener.Receive(), sentence);
  }
  EXPECT_EQ(sender.FailedSends(), 0u);
}

TEST(UdpSentenceSenderTest, NobodyListeningCostsNothingButTheDatagram) {
  int free_port = 0;
  {
    UdpListener listener;
    free_port = listener.Port();
  }
  UdpSentenceSender sender("127.0.0.1", free_port);
  // The port unreachable messages that come back do not derail later sends.
  for (int i = 0; i < 100; ++i) {
    sender.SendSentence(kSentences[0]);
  }
  EXPECT_EQ(sender.FailedSends(), 0u);
}

TEST(UdpSentenceSenderTest, AHostThatDoesNotResolveIsRefusedUpFront) {
  EXPECT_THROW(UdpSentenceSender("no-such-host.invalid", 10110), OutputError);
}

}  // namespace
}  // namespace tolvik
