#include "app/DataFileLocation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include "dsc/MidTable.h"

namespace tolvik {
namespace {

namespace fs = std::filesystem;

// A file system that holds exactly the files named.
FileExists Holding(std::set<fs::path> files) {
  return [files = std::move(files)](const fs::path& file) { return files.contains(file); };
}

const std::vector<fs::path> kFolders =
    DataFileFolders("/opt/tolvik/bin", "../share/tolvik", "/usr/local/share/tolvik");

TEST(DataFileFolders, BesideTheExecutableThenTheInstalledFolderThenTheConfiguredOne) {
  EXPECT_EQ(kFolders, (std::vector<fs::path>{"/opt/tolvik/bin", "/opt/tolvik/share/tolvik",
                                             "/usr/local/share/tolvik"}));
}

TEST(DataFileFolders, WithoutInstalledFoldersOnlyTheExecutablesOwn) {
  EXPECT_EQ(DataFileFolders("/home/user/tolvik/build/src/app", "", ""),
            std::vector<fs::path>{"/home/user/tolvik/build/src/app"});
}

TEST(LocateDataFile, TheFirstFolderHoldingTheFileWins) {
  // As in a build tree that also has an install: the build's own copy.
  EXPECT_EQ(LocateDataFile(kFolders, "mid.txt",
                           Holding({"/opt/tolvik/bin/mid.txt", "/opt/tolvik/share/tolvik/mid.txt",
                                    "/usr/local/share/tolvik/mid.txt"})),
            "/opt/tolvik/bin/mid.txt");
  // An installed program, wherever its prefix was moved.
  EXPECT_EQ(LocateDataFile(
                kFolders, "mid.txt",
                Holding({"/opt/tolvik/share/tolvik/mid.txt", "/usr/local/share/tolvik/mid.txt"})),
            "/opt/tolvik/share/tolvik/mid.txt");
  // A program copied out of its tree still finds the configured install.
  EXPECT_EQ(LocateDataFile(kFolders, "warn.wav", Holding({"/usr/local/share/tolvik/warn.wav"})),
            "/usr/local/share/tolvik/warn.wav");
}

TEST(LocateDataFile, EachFileIsLookedForOnItsOwn) {
  const FileExists exists =
      Holding({"/opt/tolvik/bin/mid.txt", "/opt/tolvik/share/tolvik/warn.wav"});
  EXPECT_EQ(LocateDataFile(kFolders, "mid.txt", exists), "/opt/tolvik/bin/mid.txt");
  EXPECT_EQ(LocateDataFile(kFolders, "warn.wav", exists), "/opt/tolvik/share/tolvik/warn.wav");
}

TEST(LocateDataFile, AMissingFileIsNamedBesideTheExecutable) {
  EXPECT_EQ(LocateDataFile(kFolders, "warn.wav", Holding({})), "/opt/tolvik/bin/warn.wav");
  EXPECT_EQ(LocateDataFile({}, "warn.wav", Holding({})), "warn.wav");
}

// A folder of a prefix of its own, removed afterwards.
class InstalledLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    prefix_ = fs::path(::testing::TempDir()) / (std::string("tolvik_prefix_") + info->name());
    fs::remove_all(prefix_);
    fs::create_directories(prefix_ / "bin");
  }
  void TearDown() override { fs::remove_all(prefix_); }

  // The installed data folder as this build's programs reach it from bin/.
  fs::path InstalledDataFolder() const {
    return (prefix_ / "bin" / TOLVIK_TEST_DATA_FROM_EXECUTABLE).lexically_normal();
  }

  fs::path prefix_;
};

TEST_F(InstalledLayoutTest, TheProgramFindsTheInstalledTableFromItsBinFolder) {
  fs::create_directories(InstalledDataFolder());
  const char* data = std::getenv("TOLVIK_TEST_DATA");
  ASSERT_NE(data, nullptr);
  fs::copy_file(fs::path(data) / "mid.txt", InstalledDataFolder() / "mid.txt");

  const fs::path mid_txt = LocateDataFile(DataFileFolders(prefix_ / "bin"), "mid.txt");
  EXPECT_EQ(mid_txt, InstalledDataFolder() / "mid.txt");
  EXPECT_EQ(LookupCountry(mid_txt, "257123456"), "Norway");
}

TEST_F(InstalledLayoutTest, AFolderNamedLikeTheFileDoesNotCount) {
  fs::create_directories(prefix_ / "bin" / "mid.txt");
  fs::create_directories(InstalledDataFolder());
  std::ofstream(InstalledDataFolder() / "mid.txt") << "257,Norway\n";
  EXPECT_EQ(LocateDataFile(DataFileFolders(prefix_ / "bin"), "mid.txt"),
            InstalledDataFolder() / "mid.txt");
}

}  // namespace
}  // namespace tolvik
