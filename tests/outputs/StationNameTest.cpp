#include "outputs/StationName.h"

#include <unistd.h>

#include <gtest/gtest.h>

namespace tolvik {
namespace {

TEST(StationNameTest, AChosenNameIsKeptAsItIs) {
  EXPECT_EQ(StationName("Shetland west"), "Shetland west");
}

TEST(StationNameTest, NoChosenNameGivesTheHostName) {
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  const std::string expected = host[0] != '\0' ? host : "tolvik";
  EXPECT_EQ(StationName(""), expected);
  EXPECT_FALSE(StationName("").empty());
}

}  // namespace
}  // namespace tolvik
