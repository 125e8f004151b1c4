#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tolvik {
namespace {

namespace fs = std::filesystem;

// Remembers every reported problem.
class RecordingProblemSink : public SettingsProblemSink {
 public:
  void ReportSettingsProblem(const std::string& message) override { Messages.push_back(message); }
  std::vector<std::string> Messages;
};

void ExpectSameSettings(const AppSettings& actual, const AppSettings& expected) {
  EXPECT_EQ(actual.MainTop, expected.MainTop);
  EXPECT_EQ(actual.MainLeft, expected.MainLeft);
  EXPECT_EQ(actual.MainWidth, expected.MainWidth);
  EXPECT_EQ(actual.MainHeight, expected.MainHeight);
  EXPECT_EQ(actual.MainMaxmum, expected.MainMaxmum);
  EXPECT_EQ(actual.WaveInName, expected.WaveInName);
  EXPECT_EQ(actual.DecVHF, expected.DecVHF);
  EXPECT_EQ(actual.DecINV, expected.DecINV);
  EXPECT_EQ(actual.DecAPS, expected.DecAPS);
  EXPECT_EQ(actual.DecAFC, expected.DecAFC);
  EXPECT_EQ(actual.DecFc, expected.DecFc);
  EXPECT_EQ(actual.ShowSpec, expected.ShowSpec);
  EXPECT_EQ(actual.DecENH, expected.DecENH);
  EXPECT_EQ(actual.FontColor, expected.FontColor);
  EXPECT_EQ(actual.BackColor, expected.BackColor);
  EXPECT_EQ(actual.FontSize, expected.FontSize);
  EXPECT_EQ(actual.FontName, expected.FontName);
  EXPECT_EQ(actual.DelMin, expected.DelMin);
  EXPECT_EQ(actual.TimeDel, expected.TimeDel);
  EXPECT_EQ(actual.CheckAdd, expected.CheckAdd);
  EXPECT_EQ(actual.NoMsgAdd, expected.NoMsgAdd);
  EXPECT_EQ(actual.DistAlt, expected.DistAlt);
  EXPECT_EQ(actual.DistAck, expected.DistAck);
  EXPECT_EQ(actual.DistRly, expected.DistRly);
  EXPECT_EQ(actual.NmeaUdp, expected.NmeaUdp);
  EXPECT_EQ(actual.NmeaUdpHost, expected.NmeaUdpHost);
  EXPECT_EQ(actual.NmeaUdpPort, expected.NmeaUdpPort);
  EXPECT_EQ(actual.NmeaTcp, expected.NmeaTcp);
  EXPECT_EQ(actual.NmeaTcpPort, expected.NmeaTcpPort);
  EXPECT_EQ(actual.MqttOn, expected.MqttOn);
  EXPECT_EQ(actual.MqttHost, expected.MqttHost);
  EXPECT_EQ(actual.MqttPort, expected.MqttPort);
  EXPECT_EQ(actual.MqttStation, expected.MqttStation);
  EXPECT_EQ(actual.MqttCredentials, expected.MqttCredentials);
  EXPECT_EQ(actual.LogOn, expected.LogOn);
  EXPECT_EQ(actual.LogFolder, expected.LogFolder);
  EXPECT_EQ(actual.LogFormat, expected.LogFormat);
}

// A record with every member away from its default.
AppSettings UnusualSettings() {
  AppSettings settings;
  settings.MainTop = -20;
  settings.MainLeft = 1930;
  settings.MainWidth = 1024;
  settings.MainHeight = 700;
  settings.MainMaxmum = true;
  settings.WaveInName = "USB Audio CODEC: Line (hw:1,0)";
  settings.DecVHF = true;
  settings.DecINV = true;
  settings.DecAPS = false;
  settings.DecAFC = false;
  settings.DecFc = 57;
  settings.ShowSpec = false;
  settings.DecENH = true;
  settings.FontColor = 0x0000FF;
  settings.BackColor = 0x10A0C0;
  settings.FontSize = 11;
  settings.FontName = "DejaVu Sans Mono";
  settings.DelMin = 143;
  settings.TimeDel = true;
  settings.CheckAdd = true;
  settings.NoMsgAdd = true;
  settings.DistAlt = false;
  settings.DistAck = false;
  settings.DistRly = false;
  settings.NmeaUdp = true;
  settings.NmeaUdpHost = "192.168.1.255";
  settings.NmeaUdpPort = 2000;
  settings.NmeaTcp = true;
  settings.NmeaTcpPort = 65535;
  settings.MqttOn = true;
  settings.MqttHost = "broker.example.org";
  settings.MqttPort = 8883;
  settings.MqttStation = "Shetland west";
  settings.MqttCredentials = "/home/radio/.config/tolvik/mqtt credentials";
  settings.LogOn = true;
  settings.LogFolder = "/srv/dsc logs";
  settings.LogFormat = kLogFormatJsonLines;
  return settings;
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tolvik-settings-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    directory_ = pattern;
    file_ = directory_ / "tolvik.ini";
  }
  void TearDown() override { fs::remove_all(directory_); }

  void WriteFile(const std::string& text) { std::ofstream(file_, std::ios::binary) << text; }

  std::string ReadFile() const {
    std::ifstream stream(file_, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
  }

  // Loads the file into a default record and default columns.
  AppSettings Load() {
    AppSettings settings;
    LoadSettings(file_, settings, columns_);
    return settings;
  }

  AppSettings LoadText(const std::string& text) {
    WriteFile(text);
    return Load();
  }

  bool Save(const AppSettings& settings, const MainWindowPlacement& window) {
    return SaveSettings(file_, settings, columns_, window, problems_);
  }

  fs::path directory_;
  fs::path file_;
  ListColumnWidths columns_;
  RecordingProblemSink problems_;
};

TEST_F(SettingsStoreTest, NoFileGivesEveryDefaultAndCreatesNothing) {
  AppSettings settings = UnusualSettings();
  columns_.Widths = {1, 2, 3, 4, 5, 6, 7, 8};
  LoadSettings(file_, settings, columns_);

  EXPECT_EQ(settings.MainTop, 0);
  EXPECT_EQ(settings.MainLeft, 0);
  EXPECT_EQ(settings.MainWidth, 800);
  EXPECT_EQ(settings.MainHeight, 500);
  EXPECT_FALSE(settings.MainMaxmum);
  EXPECT_EQ(settings.WaveInName, "Default input device");
  EXPECT_FALSE(settings.DecVHF);  // HF
  EXPECT_FALSE(settings.DecINV);  // positive polarity
  EXPECT_TRUE(settings.DecAPS);
  EXPECT_TRUE(settings.DecAFC);
  EXPECT_EQ(settings.DecFc, 80);  // 800 Hz
  EXPECT_TRUE(settings.ShowSpec);
  EXPECT_FALSE(settings.DecENH);  // the standard chain
  EXPECT_EQ(columns_.Widths, (std::array<int, 8>{70, 90, 90, 100, 150, 150, 40, 60}));
  EXPECT_EQ(settings.FontColor, 0x000000u);  // black
  EXPECT_EQ(settings.BackColor, 0xFFFFFFu);  // on white
  EXPECT_EQ(settings.FontName, "Tahoma");
  EXPECT_EQ(settings.FontSize, 8);
  EXPECT_FALSE(settings.TimeDel);
  EXPECT_EQ(settings.DelMin, 6);  // one hour
  EXPECT_FALSE(settings.CheckAdd);
  EXPECT_FALSE(settings.NoMsgAdd);
  EXPECT_TRUE(settings.DistAlt);
  EXPECT_TRUE(settings.DistAck);
  EXPECT_TRUE(settings.DistRly);
  // Every output off, aimed where a plotter or broker on this machine
  // listens by habit.
  EXPECT_FALSE(settings.NmeaUdp);
  EXPECT_EQ(settings.NmeaUdpHost, "127.0.0.1");
  EXPECT_EQ(settings.NmeaUdpPort, 10110);
  EXPECT_FALSE(settings.NmeaTcp);
  EXPECT_EQ(settings.NmeaTcpPort, 10110);
  EXPECT_FALSE(settings.MqttOn);
  EXPECT_EQ(settings.MqttHost, "localhost");
  EXPECT_EQ(settings.MqttPort, 1883);
  EXPECT_EQ(settings.MqttStation, "");
  EXPECT_EQ(settings.MqttCredentials, "");
  EXPECT_FALSE(settings.LogOn);
  EXPECT_EQ(settings.LogFolder, "");
  EXPECT_EQ(settings.LogFormat, kLogFormatCsv);

  EXPECT_FALSE(fs::exists(file_));
  EXPECT_TRUE(problems_.Messages.empty());
}

TEST_F(SettingsStoreTest, EmptyOrUnreadableFileGivesDefaults) {
  ExpectSameSettings(LoadText(""), AppSettings{});
  ExpectSameSettings(LoadText("\x01\x02 not an ini file at all\n[[[\n=\n"), AppSettings{});
  // A directory where the file should be reads as no file.
  fs::remove(file_);
  fs::create_directory(file_);
  ExpectSameSettings(Load(), AppSettings{});
}

// A file damaged by a crash, a bad copy or another program: a megabyte-long
// line, NUL and other binary bytes, lines outside any section, a section
// that never closes. What can be read is read; the rest keeps its default;
// the next save writes a clean file that reads back the same.
TEST_F(SettingsStoreTest, DamagedFileKeepsWhatCanBeReadAndSavesCleanly) {
  std::string text = "DecFc=10\n[Wave]\nDecFc=95\n";
  text += "Garbage=" + std::string(1 << 20, 'x') + "\n";
  for (const char byte : {'\0', '\xff', '\xfe', '\x01', 'b', '\0', '=', '\x7f', '\n'})
    text += byte;
  text += "[List\nDelMin=7\n[List]\nFontName=Courier New\n[Outputs]\nNmeaUdpHost=";
  text += std::string(5000, 'h') + "\n";
  const AppSettings settings = LoadText(text);
  EXPECT_EQ(settings.DecFc, 95);
  EXPECT_EQ(settings.FontName, "Courier New");
  EXPECT_EQ(settings.NmeaUdpHost.size(), 2047u);  // cut, as every text setting is
  EXPECT_EQ(settings.DelMin, AppSettings{}.DelMin);
  ASSERT_TRUE(Save(settings, MainWindowPlacement{}));
  EXPECT_EQ(ReadFile().find('\0'), std::string::npos);
  ExpectSameSettings(Load(), settings);
}

TEST_F(SettingsStoreTest, ClampsCentreFrequencyAndAgeingLimit) {
  struct Case {
    int written;
    int decfc;
    int delmin;
  };
  for (const Case& c : {Case{30, 50, 30}, Case{120, 100, 120}, Case{0, 50, 1}, Case{500, 100, 143},
                        Case{-5, 50, 1}, Case{50, 50, 50}, Case{100, 100, 100}, Case{1, 50, 1},
                        Case{143, 100, 143}, Case{144, 100, 143}}) {
    const std::string value = std::to_string(c.written);
    const AppSettings settings =
        LoadText("[Wave]\nDecFc=" + value + "\n[List]\nDelMin=" + value + "\n");
    EXPECT_EQ(settings.DecFc, c.decfc) << "written " << c.written;
    EXPECT_EQ(settings.DelMin, c.delmin) << "written " << c.written;
  }
}

TEST_F(SettingsStoreTest, PortsAndLogFormatAreMovedIntoRange) {
  struct Case {
    std::string written;
    int nmea_port;
    int mqtt_port;
    int format;
  };
  // Unreadable values give the defaults (10110 and 1883, CSV), not an end.
  for (const Case& c :
       {Case{"0", 1, 1, 0}, Case{"-1", 1, 1, 0}, Case{"70000", 65535, 65535, 1},
        Case{"65536", 65535, 65535, 1}, Case{"1", 1, 1, 1}, Case{"65535", 65535, 65535, 1},
        Case{"0x1BB", 443, 443, 1}, Case{"port", 10110, 1883, 0}}) {
    const AppSettings settings =
        LoadText("[Outputs]\nNmeaUdpPort=" + c.written + "\nNmeaTcpPort=" + c.written +
                 "\nMqttPort=" + c.written + "\nLogFormat=" + c.written + "\n");
    EXPECT_EQ(settings.NmeaUdpPort, c.nmea_port) << "written " << c.written;
    EXPECT_EQ(settings.NmeaTcpPort, c.nmea_port) << "written " << c.written;
    EXPECT_EQ(settings.MqttPort, c.mqtt_port) << "written " << c.written;
    EXPECT_EQ(settings.LogFormat, c.format) << "written " << c.written;
  }
}

// A file written before the outputs existed: everything it holds is read,
// and every output stays off at its default.
TEST_F(SettingsStoreTest, AFileWithoutTheOutputsSectionLeavesEveryOutputAtItsDefault) {
  AppSettings loaded = LoadText("[Wave]\nDecFc=90\n[List]\nDistRly=0\n");
  EXPECT_EQ(loaded.DecFc, 90);
  EXPECT_FALSE(loaded.DistRly);
  loaded.DecFc = 80;
  loaded.DistRly = true;
  ExpectSameSettings(loaded, AppSettings{});

  // Saving adds the section after the others, with every key.
  ASSERT_TRUE(Save(loaded, MainWindowPlacement{}));
  const std::string text = ReadFile();
  const auto list = text.find("[List]\n");
  const auto outputs = text.find(
      "[Outputs]\nNmeaUdp=0\nNmeaUdpHost=127.0.0.1\nNmeaUdpPort=10110\nNmeaTcp=0\n"
      "NmeaTcpPort=10110\nMqttOn=0\nMqttHost=localhost\nMqttPort=1883\nMqttStation=\n"
      "MqttCredentials=\nLogOn=0\nLogFolder=\nLogFormat=0\n");
  ASSERT_NE(outputs, std::string::npos) << text;
  EXPECT_LT(list, outputs);
}

TEST_F(SettingsStoreTest, ClampedValuesAreWhatIsSavedNext) {
  AppSettings settings = LoadText("[Wave]\nDecFc=30\n[List]\nDelMin=500\n");
  ASSERT_TRUE(Save(settings, MainWindowPlacement{}));
  const std::string text = ReadFile();
  EXPECT_NE(text.find("\nDecFc=50\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nDelMin=143\n"), std::string::npos) << text;
}

TEST_F(SettingsStoreTest, ReadsHexadecimalAndSignedIntegers) {
  const AppSettings settings = LoadText(
      "[Form]\nMainTop=0x1F\nMainLeft=0X1F\nMainWidth=$1F\nMainHeight=-1\n"
      "[List]\nColumnsWidth0=$64\nFontSize=0xC\n");
  EXPECT_EQ(settings.MainTop, 31);
  EXPECT_EQ(settings.MainLeft, 31);
  EXPECT_EQ(settings.MainWidth, 31);
  EXPECT_EQ(settings.MainHeight, -1);  // placement is used unchanged
  EXPECT_EQ(columns_.Widths[0], 100);
  EXPECT_EQ(settings.FontSize, 12);
}

TEST_F(SettingsStoreTest, InvalidIntegersGiveTheirDefaults) {
  const AppSettings settings = LoadText(
      "[Form]\nMainWidth=12abc\nMainHeight=\n"
      "[Wave]\nDecFc=abc\n"
      "[List]\nColumnsWidth3=99999999999\nColumnsWidth7=0x\nFontSize=8.5\n");
  EXPECT_EQ(settings.MainWidth, 800);
  EXPECT_EQ(settings.MainHeight, 500);
  EXPECT_EQ(settings.DecFc, 80);
  EXPECT_EQ(columns_.Widths[3], 100);
  EXPECT_EQ(columns_.Widths[7], 60);
  EXPECT_EQ(settings.FontSize, 8);
}

TEST_F(SettingsStoreTest, BooleansReadAsIntegers) {
  const AppSettings settings = LoadText(
      "[Form]\nMainMaxmum=2\n"
      "[Wave]\nDecVHF=-1\nDecINV=0x10\nDecAPS=abc\nDecAFC=0\nShowSpec=12abc\nDecENH=2\n"
      "[List]\nTimeDel=abc\nCheckAdd=true\nDistAlt=\nDistRly=0\n");
  EXPECT_TRUE(settings.MainMaxmum);
  EXPECT_TRUE(settings.DecVHF);
  EXPECT_TRUE(settings.DecINV);
  EXPECT_TRUE(settings.DecAPS);  // default kept
  EXPECT_FALSE(settings.DecAFC);
  EXPECT_TRUE(settings.ShowSpec);  // default kept
  EXPECT_TRUE(settings.DecENH);
  EXPECT_FALSE(settings.TimeDel);   // default kept
  EXPECT_FALSE(settings.CheckAdd);  // "true" is not an integer: default
  EXPECT_TRUE(settings.DistAlt);    // default kept
  EXPECT_FALSE(settings.DistRly);
}

TEST_F(SettingsStoreTest, ReadsHandEditedFiles) {
  // Spaces around '=', keys in another case, comments and Windows line ends.
  const AppSettings settings = LoadText(
      "; edited by hand\r\n[wave]\r\n  decfc = 95  \r\n# note\r\n[LIST]\r\nFontName = Courier "
      "New\r\n");
  EXPECT_EQ(settings.DecFc, 95);
  EXPECT_EQ(settings.FontName, "Courier New");
}

TEST_F(SettingsStoreTest, FontColorRedRoundTrips) {
  const AppSettings settings = LoadText("[List]\nFontColor=0000FF\n");
  EXPECT_EQ(settings.FontColor, 0x0000FFu);  // red list text
  EXPECT_EQ(settings.BackColor, 0xFFFFFFu);
  ASSERT_TRUE(Save(settings, MainWindowPlacement{}));
  const std::string text = ReadFile();
  EXPECT_NE(text.find("\nFontColor=0000FF\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nBackColor=FFFFFF\n"), std::string::npos) << text;
}

TEST_F(SettingsStoreTest, LongFontNameIsCutAt2047Characters) {
  const AppSettings settings = LoadText("[List]\nFontName=" + std::string(3000, 'W') + "\n");
  EXPECT_EQ(settings.FontName, std::string(2047, 'W'));
}

TEST_F(SettingsStoreTest, ClosingMaximizedWritesTheRememberedNormalPlacement) {
  AppSettings settings;
  settings.MainTop = 50;
  settings.MainLeft = 100;
  settings.MainWidth = 900;
  settings.MainHeight = 600;
  const MainWindowPlacement maximized{-8, -8, 1936, 1056, true};
  ASSERT_TRUE(Save(settings, maximized));

  const std::string text = ReadFile();
  EXPECT_EQ(text.substr(0, text.find("\n\n")),
            "[Form]\nMainTop=50\nMainLeft=100\nMainWidth=900\nMainHeight=600\nMainMaxmum=1");
  const AppSettings loaded = Load();
  EXPECT_EQ(loaded.MainTop, 50);
  EXPECT_EQ(loaded.MainLeft, 100);
  EXPECT_EQ(loaded.MainWidth, 900);
  EXPECT_EQ(loaded.MainHeight, 600);
  EXPECT_TRUE(loaded.MainMaxmum);
}

TEST_F(SettingsStoreTest, ClosingInNormalStateWritesTheCurrentPlacement) {
  AppSettings settings;
  settings.MainTop = 50;
  settings.MainLeft = 100;
  settings.MainMaxmum = true;  // stale: the window is no longer maximized
  ASSERT_TRUE(Save(settings, MainWindowPlacement{12, 34, 1000, 640, false}));
  const std::string text = ReadFile();
  EXPECT_EQ(text.substr(0, text.find("\n\n")),
            "[Form]\nMainTop=12\nMainLeft=34\nMainWidth=1000\nMainHeight=640\nMainMaxmum=0");
}

TEST_F(SettingsStoreTest, WritesEveryKeyInOrderAsPlainKeyValueLines) {
  // No spaces around '=', sections apart by blank lines.
  columns_.Widths = {71, 91, 92, 101, 151, 152, 41, 61};
  ASSERT_TRUE(Save(UnusualSettings(), MainWindowPlacement{5, 6, 700, 400, false}));
  EXPECT_EQ(ReadFile(),
            "[Form]\n"
            "MainTop=5\nMainLeft=6\nMainWidth=700\nMainHeight=400\nMainMaxmum=0\n"
            "\n\n"
            "[Wave]\n"
            "WaveInName=USB Audio CODEC: Line (hw:1,0)\nDecVHF=1\nDecINV=1\nDecAPS=0\nDecAFC=0\n"
            "DecFc=57\nShowSpec=0\nDecENH=1\n"
            "\n\n"
            "[List]\n"
            "ColumnsWidth0=71\nColumnsWidth1=91\nColumnsWidth2=92\nColumnsWidth3=101\n"
            "ColumnsWidth4=151\nColumnsWidth5=152\nColumnsWidth6=41\nColumnsWidth7=61\n"
            "FontColor=0000FF\nBackColor=10A0C0\nFontSize=11\nFontName=DejaVu Sans Mono\n"
            "DelMin=143\nTimeDel=1\nCheckAdd=1\nNoMsgAdd=1\nDistAlt=0\nDistAck=0\nDistRly=0\n"
            "\n\n"
            "[Outputs]\n"
            "NmeaUdp=1\nNmeaUdpHost=192.168.1.255\nNmeaUdpPort=2000\nNmeaTcp=1\nNmeaTcpPort=65535\n"
            "MqttOn=1\nMqttHost=broker.example.org\nMqttPort=8883\nMqttStation=Shetland west\n"
            "MqttCredentials=/home/radio/.config/tolvik/mqtt credentials\n"
            "LogOn=1\nLogFolder=/srv/dsc logs\nLogFormat=1\n");
}

TEST_F(SettingsStoreTest, SaveThenLoadGivesTheSameSettings) {
  const AppSettings saved = UnusualSettings();
  columns_.Widths = {10, 20, 30, 40, 50, 60, 70, 80};
  ASSERT_TRUE(Save(saved, MainWindowPlacement{saved.MainTop, saved.MainLeft, saved.MainWidth,
                                              saved.MainHeight, false}));
  columns_ = ListColumnWidths{};
  AppSettings loaded = Load();
  loaded.MainMaxmum = true;  // saved in normal state above
  ExpectSameSettings(loaded, saved);
  EXPECT_EQ(columns_.Widths, (std::array<int, 8>{10, 20, 30, 40, 50, 60, 70, 80}));
}

TEST_F(SettingsStoreTest, RewritesAnOldFileInOrderAndKeepsOtherProgramsKeys) {
  WriteFile(
      "[List]\nDistRly=0\nFontName=Arial\nColumnsWidth0=1\n"
      "[Extra]\nKeep=me\n"
      "[Wave]\nOther=1\nDecFc=90\nWaveInName=Old\n"
      "[Form]\nMainMaxmum=1\nMainTop=3\n");
  ASSERT_TRUE(Save(AppSettings{}, MainWindowPlacement{}));
  const std::string text = ReadFile();

  // Our sections come in order, each with its keys in order.
  const auto form = text.find("[Form]\nMainTop=0\nMainLeft=0\n");
  const auto wave = text.find("[Wave]\nWaveInName=Default input device\nDecVHF=0\n");
  const auto list = text.find("[List]\nColumnsWidth0=70\nColumnsWidth1=90\n");
  ASSERT_NE(form, std::string::npos) << text;
  ASSERT_NE(wave, std::string::npos) << text;
  ASSERT_NE(list, std::string::npos) << text;
  EXPECT_LT(form, wave);
  EXPECT_LT(wave, list);
  EXPECT_NE(text.find("\nFontName=Tahoma\nDelMin=6\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nDistRly=1\n"), std::string::npos) << text;

  // What other programs put there stays, each key once.
  EXPECT_NE(text.find("[Extra]\nKeep=me\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nShowSpec=1\nDecENH=0\nOther=1\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("Arial"), std::string::npos) << text;
  EXPECT_EQ(text.find("DecFc=90"), std::string::npos) << text;
}

TEST_F(SettingsStoreTest, LineBreaksInTextsCannotInjectKeys) {
  AppSettings settings;
  settings.WaveInName = "Mic\nDecFc=30";
  settings.DecFc = 90;
  ASSERT_TRUE(Save(settings, MainWindowPlacement{}));
  const AppSettings loaded = Load();
  EXPECT_EQ(loaded.WaveInName, "Mic DecFc=30");
  EXPECT_EQ(loaded.DecFc, 90);
}

TEST_F(SettingsStoreTest, CreatesAMissingConfigFolder) {
  file_ = directory_ / "config" / "tolvik" / "tolvik.ini";
  ASSERT_TRUE(Save(AppSettings{}, MainWindowPlacement{}));
  EXPECT_TRUE(fs::is_regular_file(file_));
  EXPECT_TRUE(problems_.Messages.empty());
}

TEST_F(SettingsStoreTest, UnwritableFileIsReportedNotThrown) {
  // Tests may run as root, where permission bits do not stop a write; a path
  // through a regular file, or a directory in the file's place, always fails.
  WriteFile("[Wave]\nDecFc=90\n");
  const fs::path through_file = file_ / "tolvik.ini";
  const fs::path directory_in_place = directory_ / "occupied.ini";
  fs::create_directory(directory_in_place);

  for (const fs::path& target : {through_file, directory_in_place}) {
    problems_.Messages.clear();
    bool written = true;
    EXPECT_NO_THROW(
        written = SaveSettings(target, AppSettings{}, columns_, MainWindowPlacement{}, problems_));
    EXPECT_FALSE(written) << target;
    ASSERT_EQ(problems_.Messages.size(), 1u) << target;
    EXPECT_NE(problems_.Messages[0].find(target.string()), std::string::npos)
        << problems_.Messages[0];
  }
  // The file in the way was left alone.
  EXPECT_EQ(ReadFile(), "[Wave]\nDecFc=90\n");
}

}  // namespace
}  // namespace tolvik
