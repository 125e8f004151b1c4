#include "outputs/MqttCredentials.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "outputs/MqttSettings.h"
#include "outputs/OutputError.h"

namespace tolvik {
namespace {

class CredentialsFile : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove(path_); }

  std::string Write(const std::string& text) {
    std::ofstream(path_, std::ios::binary) << text;
    return path_.string();
  }

  // The error's message, or "" when there was none.
  std::string ErrorFor(const std::string& text) {
    try {
      ReadMqttCredentialsFile(Write(text));
    } catch (const OutputError& error) {
      return error.what();
    }
    return "";
  }

  std::filesystem::path path_ =
      std::filesystem::temp_directory_path() / ("tolvik-credentials-" + std::to_string(getpid()));
};

TEST_F(CredentialsFile, SplitsAtTheFirstColonSoPasswordsMayHoldColons) {
  const MqttCredentials read = ReadMqttCredentialsFile(Write("station7:pa:ss:word\n"));
  EXPECT_EQ(read.user, "station7");
  EXPECT_EQ(read.password, "pa:ss:word");
}

TEST_F(CredentialsFile, SkipsCommentsAndBlankLinesAndDropsAWindowsLineEnd) {
  const MqttCredentials read =
      ReadMqttCredentialsFile(Write("# for the club broker\r\n\r\n  \nuser:secret \r\n"));
  EXPECT_EQ(read.user, "user");
  EXPECT_EQ(read.password, "secret ");  // spaces belong to the password
}

TEST_F(CredentialsFile, AnEmptyPasswordIsAllowed) {
  EXPECT_EQ(ReadMqttCredentialsFile(Write("user:")).password, "");
}

TEST_F(CredentialsFile, MalformedFilesAreClearErrorsNamingTheFile) {
  EXPECT_NE(ErrorFor("").find("is empty"), std::string::npos);
  EXPECT_NE(ErrorFor("# only a comment\n").find("is empty"), std::string::npos);
  EXPECT_NE(ErrorFor("user password\n").find("no ':'"), std::string::npos);
  EXPECT_NE(ErrorFor(":password\n").find("names no user"), std::string::npos);
  EXPECT_NE(ErrorFor("a:b\nc:d\n").find("more than one line"), std::string::npos);
  EXPECT_NE(ErrorFor("x\n").find(path_.string()), std::string::npos);
}

TEST_F(CredentialsFile, AMissingFileIsAnErrorWithTheReason) {
  try {
    ReadMqttCredentialsFile("/nonexistent/tolvik/credentials");
    FAIL() << "no error";
  } catch (const OutputError& error) {
    EXPECT_NE(std::string(error.what()).find("No such file"), std::string::npos) << error.what();
  }
}

class CredentialsEnvironment : public ::testing::Test {
 protected:
  void SetUp() override { Clear(); }
  void TearDown() override { Clear(); }
  static void Clear() {
    unsetenv("TOLVIK_MQTT_USER");
    unsetenv("TOLVIK_MQTT_PASSWORD");
  }
};

TEST_F(CredentialsEnvironment, NeitherVariableMeansNoCredentials) {
  EXPECT_FALSE(MqttCredentialsFromEnvironment());
}

TEST_F(CredentialsEnvironment, UserAndPasswordAreTaken) {
  setenv("TOLVIK_MQTT_USER", "north", 1);
  setenv("TOLVIK_MQTT_PASSWORD", "a:b c", 1);
  const auto read = MqttCredentialsFromEnvironment();
  ASSERT_TRUE(read);
  EXPECT_EQ(read->user, "north");
  EXPECT_EQ(read->password, "a:b c");
}

TEST_F(CredentialsEnvironment, AUserAloneHasAnEmptyPassword) {
  setenv("TOLVIK_MQTT_USER", "north", 1);
  EXPECT_EQ(MqttCredentialsFromEnvironment()->password, "");
}

TEST_F(CredentialsEnvironment, APasswordWithoutAUserIsAnError) {
  setenv("TOLVIK_MQTT_PASSWORD", "secret", 1);
  EXPECT_THROW(MqttCredentialsFromEnvironment(), OutputError);
}

TEST(MqttTopics, TheDefaultPrefixNamesTheStationAndAGivenOneLosesItsTrailingSlashes) {
  MqttSettings settings;
  settings.station = "west-pier";
  EXPECT_EQ(CallTopic(settings), "tolvik/west-pier/call");
  EXPECT_EQ(StatusTopic(settings), "tolvik/west-pier/status");
  settings.topic_prefix = "club/dsc//";
  EXPECT_EQ(CallTopic(settings), "club/dsc/call");
}

TEST(MqttTopics, WildcardsAndSlashesInNamesAreRefused) {
  EXPECT_FALSE(StationNameProblem("west-pier"));
  EXPECT_TRUE(StationNameProblem(""));
  EXPECT_TRUE(StationNameProblem("a/b"));
  EXPECT_TRUE(StationNameProblem("a+"));
  EXPECT_FALSE(TopicPrefixProblem("club/dsc"));
  EXPECT_TRUE(TopicPrefixProblem("club/#"));
  EXPECT_TRUE(TopicPrefixProblem("//"));
}

}  // namespace
}  // namespace tolvik
