#include "settings/SettingsFilePath.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tolvik {
namespace {

// A stand-in environment: the given variables, and every directory writable
// or none.
SettingsLocationEnvironment FakeEnvironment(std::map<std::string, std::string> variables,
                                            bool directories_writable) {
  SettingsLocationEnvironment environment;
  environment.GetVariable = [variables](const std::string& name) -> std::optional<std::string> {
    const auto found = variables.find(name);
    if (found == variables.end()) {
      return std::nullopt;
    }
    return found->second;
  };
  environment.IsDirectoryWritable = [directories_writable](const std::filesystem::path&) {
    return directories_writable;
  };
  return environment;
}

TEST(SettingsFilePathTest, ReplacesTheExecutablesExtension) {
  const auto writable = FakeEnvironment({{"HOME", "/home/op"}}, true);
  EXPECT_EQ(SettingsFilePath("/opt/tolvik/tolvik", writable), "/opt/tolvik/tolvik.ini");
  EXPECT_EQ(SettingsFilePath("/opt/tolvik/tolvik.exe", writable), "/opt/tolvik/tolvik.ini");
  // Only the file name's extension is replaced, not a dot in a folder name.
  EXPECT_EQ(SettingsFilePath("/opt/tolvik-0.1/tolvik", writable), "/opt/tolvik-0.1/tolvik.ini");
  EXPECT_EQ(SettingsFilePath("/opt/x/tolvik.app.exe", writable), "/opt/x/tolvik.app.ini");
  EXPECT_EQ(SettingsFilePath("tolvik", writable), "tolvik.ini");
}

TEST(SettingsFilePathTest, UsesTheConfigHomeWhenTheDirectoryIsNotWritable) {
  const auto environment =
      FakeEnvironment({{"XDG_CONFIG_HOME", "/home/op/cfg"}, {"HOME", "/home/op"}}, false);
  EXPECT_EQ(SettingsFilePath("/usr/bin/tolvik", environment), "/home/op/cfg/tolvik/tolvik.ini");
}

TEST(SettingsFilePathTest, FallsBackToHomeConfigWhenConfigHomeIsUnusable) {
  const std::filesystem::path expected = "/home/op/.config/tolvik/tolvik.ini";
  EXPECT_EQ(SettingsFilePath("/usr/bin/tolvik", FakeEnvironment({{"HOME", "/home/op"}}, false)),
            expected);
  // An empty or relative XDG_CONFIG_HOME does not count as set.
  EXPECT_EQ(
      SettingsFilePath("/usr/bin/tolvik",
                       FakeEnvironment({{"XDG_CONFIG_HOME", ""}, {"HOME", "/home/op"}}, false)),
      expected);
  EXPECT_EQ(
      SettingsFilePath("/usr/bin/tolvik",
                       FakeEnvironment({{"XDG_CONFIG_HOME", "cfg"}, {"HOME", "/home/op"}}, false)),
      expected);
}

TEST(SettingsFilePathTest, StaysBesideTheExecutableWithoutAUsableHome) {
  EXPECT_EQ(SettingsFilePath("/usr/bin/tolvik", FakeEnvironment({}, false)), "/usr/bin/tolvik.ini");
  EXPECT_EQ(SettingsFilePath("/usr/bin/tolvik", FakeEnvironment({{"HOME", ""}}, false)),
            "/usr/bin/tolvik.ini");
}

TEST(SettingsFilePathTest, AsksAboutTheExecutablesOwnDirectory) {
  std::filesystem::path asked;
  SettingsLocationEnvironment environment = FakeEnvironment({{"HOME", "/home/op"}}, true);
  environment.IsDirectoryWritable = [&asked](const std::filesystem::path& directory) {
    asked = directory;
    return true;
  };
  SettingsFilePath("/opt/tolvik/tolvik", environment);
  EXPECT_EQ(asked, "/opt/tolvik");
  SettingsFilePath("tolvik", environment);
  EXPECT_EQ(asked, ".");
}

}  // namespace
}  // namespace tolvik
