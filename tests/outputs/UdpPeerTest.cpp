#include "outputs/UdpPeer.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>

#include "outputs/OutputError.h"

namespace tolvik {
namespace {

// Numbers are read without a name server, in either family; anything else
// is a name and left to a lookup, even one the hosts file would answer.
TEST(UdpPeerTest, OnlyAddressesInNumbersAreTakenWithoutALookup) {
  const std::optional<UdpPeer> v4 = NumericUdpPeer("192.168.1.255", 10110);
  ASSERT_TRUE(v4);
  const auto& in4 = reinterpret_cast<const sockaddr_in&>(v4->address);
  EXPECT_EQ(in4.sin_family, AF_INET);
  EXPECT_EQ(ntohs(in4.sin_port), 10110);
  EXPECT_EQ(ntohl(in4.sin_addr.s_addr), 0xC0A801FFu);
  EXPECT_EQ(v4->length, sizeof(sockaddr_in));

  const std::optional<UdpPeer> v6 = NumericUdpPeer("::1", 2000);
  ASSERT_TRUE(v6);
  const auto& in6 = reinterpret_cast<const sockaddr_in6&>(v6->address);
  EXPECT_EQ(in6.sin6_family, AF_INET6);
  EXPECT_EQ(ntohs(in6.sin6_port), 2000);
  EXPECT_EQ(v6->length, sizeof(sockaddr_in6));

  EXPECT_FALSE(NumericUdpPeer("localhost", 10110));
  EXPECT_FALSE(NumericUdpPeer("plotter.invalid", 10110));
  EXPECT_FALSE(NumericUdpPeer("", 10110));
  EXPECT_FALSE(NumericUdpPeer("192.168.1.256", 10110));
}

TEST(UdpPeerTest, AResolvedNameAndAFailingOneSayWhatTheyFound) {
  const UdpPeer local = ResolveUdpPeer("localhost", 10110);
  const int family = local.address.ss_family;
  EXPECT_TRUE(family == AF_INET || family == AF_INET6) << family;
  try {
    ResolveUdpPeer("plotter.invalid", 10110);
    FAIL() << "a reserved name resolved";
  } catch (const OutputError& error) {
    EXPECT_TRUE(std::string(error.what()).starts_with("cannot resolve plotter.invalid: "))
        << error.what();
  }
}

}  // namespace
}  // namespace tolvik
