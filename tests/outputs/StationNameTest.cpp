#include "outputs/StationName.h"

#include <unistd.h>

#include <gtest/gtest.h>

namespace tolvik {
namespace {

TEST(StationNameTest, NoChosenNameGivesTheHostNameAndAChosenOneStays) {
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  const std::string expected = host[0] != '\0' ? host : "tolvik";
  EXPECT_EQ(StationName(""), expected);
  EXPECT_EQ(StationName("Shetland west"), "Shetland west");
}

}  // namespace
}  // namespace tolvik
