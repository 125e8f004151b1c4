// Arbitrary bytes as the settings file: loaded into the record and the
// column widths, which must come out within their ranges; then saved over
// the same file (whose foreign sections and keys are kept) and saved and
// loaded again from fresh files, which must give back exactly what was
// saved: a file the program wrote reads back as it was written.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include "base/SettingRanges.h"
#include "settings/AppSettings.h"
#include "settings/ListColumnWidths.h"
#include "settings/MainWindowPlacement.h"
#include "settings/SettingsProblemSink.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"
#include "support/Require.h"
#include "support/TempFolder.h"

namespace {

using tolvik::fuzzing::Require;

using tolvik::fuzzing::TempFolder;

// Writing into the private temporary folder must not fail.
struct RequireNoProblem final : tolvik::SettingsProblemSink {
  void ReportSettingsProblem(const std::string&) override { __builtin_trap(); }
};

bool Within(int value, int lowest, int highest) {
  return value >= lowest && value <= highest;
}

void CheckRanges(const tolvik::AppSettings& settings) {
  Require(Within(settings.DecFc, tolvik::kLowestDecFc, tolvik::kHighestDecFc));
  Require(Within(settings.DelMin, tolvik::kLowestDelMin, tolvik::kHighestDelMin));
  Require(Within(settings.NmeaUdpPort, tolvik::kLowestPort, tolvik::kHighestPort));
  Require(Within(settings.NmeaTcpPort, tolvik::kLowestPort, tolvik::kHighestPort));
  Require(Within(settings.MqttPort, tolvik::kLowestPort, tolvik::kHighestPort));
  Require(settings.LogFormat == tolvik::kLogFormatCsv ||
          settings.LogFormat == tolvik::kLogFormatJsonLines);
  for (const std::string* text :
       {&settings.WaveInName, &settings.FontName, &settings.NmeaUdpHost, &settings.MqttHost,
        &settings.MqttStation, &settings.MqttCredentials, &settings.LogFolder}) {
    Require(text->size() <= tolvik::kMaxSettingsTextLength);
  }
}

// Where the window stood as the record says, so that the record's own
// placement is what gets saved.
tolvik::MainWindowPlacement PlacementOf(const tolvik::AppSettings& settings) {
  return {settings.MainTop, settings.MainLeft, settings.MainWidth, settings.MainHeight,
          settings.MainMaxmum};
}

std::string FileText(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  std::ostringstream text;
  text << stream.rdbuf();
  return std::move(text).str();
}

// Saves the settings to a fresh file named `name`; its text.
std::string SaveFresh(const std::string& name, const tolvik::AppSettings& settings,
                      const tolvik::ListColumnWidths& columns) {
  const std::filesystem::path file = TempFolder::Path() / name;
  std::filesystem::remove(file);
  RequireNoProblem problems;
  Require(tolvik::SaveSettings(file, settings, columns, PlacementOf(settings), problems));
  return FileText(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path file = TempFolder::Write("fuzzed.ini", {data, size});
  tolvik::AppSettings loaded;
  tolvik::ListColumnWidths columns;
  tolvik::LoadSettings(file, loaded, columns);
  CheckRanges(loaded);

  const std::string saved = SaveFresh("saved.ini", loaded, columns);

  // Saved over the fuzzed file, beside whatever else it holds.
  RequireNoProblem problems;
  Require(tolvik::SaveSettings(file, loaded, columns, PlacementOf(loaded), problems));
  tolvik::AppSettings reloaded;
  tolvik::ListColumnWidths reloaded_columns;
  tolvik::LoadSettings(file, reloaded, reloaded_columns);
  Require(SaveFresh("resaved.ini", reloaded, reloaded_columns) == saved);
  return 0;
}
