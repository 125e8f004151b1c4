#include "outputs/UdpHostLookup.h"

#include <gtest/gtest.h>
#include <netinet/in.h>

#include <future>
#include <memory>
#include <stdexcept>
#include <string>

#include "ControlledResolver.h"
#include "LoopbackSockets.h"

namespace tolvik {
namespace {

using testing::ControlledResolver;
using testing::Eventually;

int PortOf(const UdpPeer& peer) {
  return ntohs(reinterpret_cast<const sockaddr_in&>(peer.address).sin_port);
}

TEST(UdpHostLookupTest, TheAnswerIsInOnlyOnceTheResolverHasGivenIt) {
  ControlledResolver resolver;
  const UdpHostLookup lookup("plotter.example", 10110, resolver.Function());
  ASSERT_TRUE(Eventually([&] { return resolver.Asked() == 1; }));
  EXPECT_FALSE(lookup.Finished());

  resolver.Answer("plotter.example");
  ASSERT_TRUE(Eventually([&] { return lookup.Finished(); }));
  ASSERT_TRUE(lookup.Peer());
  EXPECT_EQ(PortOf(*lookup.Peer()), 10110);
  EXPECT_EQ(lookup.Problem(), "");
}

TEST(UdpHostLookupTest, ANameThatDoesNotResolveFinishesWithTheReason) {
  ControlledResolver resolver;
  resolver.Fail("plotter.example");
  const UdpHostLookup lookup("plotter.example", 10110, resolver.Function());
  ASSERT_TRUE(Eventually([&] { return lookup.Finished(); }));
  EXPECT_FALSE(lookup.Peer());
  EXPECT_EQ(lookup.Problem(), "cannot resolve plotter.example: Name or service not known");
}

// Anything but OutputError out of a resolver would end the program if it
// left the lookup's thread.
TEST(UdpHostLookupTest, AResolverThatThrowsSomethingElseIsAProblemToo) {
  const UdpHostLookup lookup("plotter.example", 10110, [](const std::string&, int) -> UdpPeer {
    throw std::runtime_error("out of sorts");
  });
  ASSERT_TRUE(Eventually([&] { return lookup.Finished(); }));
  EXPECT_FALSE(lookup.Peer());
  EXPECT_EQ(lookup.Problem(), "cannot resolve plotter.example: out of sorts");
}

TEST(UdpHostLookupTest, TheSystemResolverFindsLocalhost) {
  const UdpHostLookup lookup("localhost", 10110);
  ASSERT_TRUE(Eventually([&] { return lookup.Finished(); }));
  ASSERT_TRUE(lookup.Peer()) << lookup.Problem();
  EXPECT_EQ(PortOf(*lookup.Peer()), 10110);  // same place in sockaddr_in and sockaddr_in6
}

// The lookup is dropped while its resolver is still waiting: dropping
// returns with the resolver held, and the answer given afterwards is
// written where the thread alone still holds it (AddressSanitizer watches
// that write in the sanitizer build).
TEST(UdpHostLookupTest, DroppingAPendingLookupDoesNotWaitForIt) {
  ControlledResolver resolver;
  auto lookup = std::make_unique<UdpHostLookup>("plotter.example", 10110, resolver.Function());
  ASSERT_TRUE(Eventually([&] { return resolver.Asked() == 1; }));

  // On another thread, so that a drop that waited fails here instead of
  // hanging the test.
  std::future<void> dropped = std::async(std::launch::async, [&] { lookup.reset(); });
  EXPECT_TRUE(Eventually(
      [&] { return dropped.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));

  resolver.Answer("plotter.example");
  dropped.wait();
  resolver.Release();
  EXPECT_TRUE(Eventually([&] { return resolver.AllLookupsEnded(); }));
}

}  // namespace
}  // namespace tolvik
