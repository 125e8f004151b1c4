#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <variant>

#include "base/SettingRanges.h"
#include "settings/AppSettings.h"
#include "settings/ListColumnWidths.h"

namespace tolvik {

// One of the receive list's column widths, which travel beside the record.
struct ColumnWidthField {
  std::size_t Column = 0;  // index into ListColumnWidths::Widths
};

// Where the value of a key is held. The member's type says how the value is
// read and written: int in decimal (hexadecimal read too), bool as 1 or 0,
// std::string as text, ColorValue as six hexadecimal digits. A column width
// is an integer.
using SettingField =
    std::variant<int AppSettings::*, bool AppSettings::*, std::string AppSettings::*,
                 ColorValue AppSettings::*, ColumnWidthField>;

// The values an integer setting may take; a value read outside is moved to
// the nearer end.
struct SettingRange {
  int Lowest = 0;
  int Highest = 0;
};

// One key of the settings file. Its default is what a default-constructed
// AppSettings (or ListColumnWidths) holds.
struct SettingKey {
  const char* Section = "";
  const char* Key = "";
  SettingField Field;
  std::optional<SettingRange> Range = std::nullopt;
};

inline constexpr const char* kFormSection = "Form";
inline constexpr const char* kWaveSection = "Wave";
inline constexpr const char* kListSection = "List";
inline constexpr const char* kOutputsSection = "Outputs";

inline constexpr SettingRange kPortRange{kLowestPort, kHighestPort};

// Every key of the settings file, in the order the file holds them. The keys
// of a section stand together; the sections come in file order.
inline constexpr std::array<SettingKey, 45> kSettingKeys = {{
    {kFormSection, "MainTop", &AppSettings::MainTop},
    {kFormSection, "MainLeft", &AppSettings::MainLeft},
    {kFormSection, "MainWidth", &AppSettings::MainWidth},
    {kFormSection, "MainHeight", &AppSettings::MainHeight},
    {kFormSection, "MainMaxmum", &AppSettings::MainMaxmum},

    {kWaveSection, "WaveInName", &AppSettings::WaveInName},
    {kWaveSection, "DecVHF", &AppSettings::DecVHF},
    {kWaveSection, "DecINV", &AppSettings::DecINV},
    {kWaveSection, "DecAPS", &AppSettings::DecAPS},
    {kWaveSection, "DecAFC", &AppSettings::DecAFC},
    {kWaveSection, "DecFc", &AppSettings::DecFc, SettingRange{kLowestDecFc, kHighestDecFc}},
    {kWaveSection, "ShowSpec", &AppSettings::ShowSpec},
    {kWaveSection, "DecENH", &AppSettings::DecENH},

    {kListSection, "ColumnsWidth0", ColumnWidthField{0}},
    {kListSection, "ColumnsWidth1", ColumnWidthField{1}},
    {kListSection, "ColumnsWidth2", ColumnWidthField{2}},
    {kListSection, "ColumnsWidth3", ColumnWidthField{3}},
    {kListSection, "ColumnsWidth4", ColumnWidthField{4}},
    {kListSection, "ColumnsWidth5", ColumnWidthField{5}},
    {kListSection, "ColumnsWidth6", ColumnWidthField{6}},
    {kListSection, "ColumnsWidth7", ColumnWidthField{7}},
    {kListSection, "FontColor", &AppSettings::FontColor},
    {kListSection, "BackColor", &AppSettings::BackColor},
    {kListSection, "FontSize", &AppSettings::FontSize},
    {kListSection, "FontName", &AppSettings::FontName},
    {kListSection, "DelMin", &AppSettings::DelMin, SettingRange{kLowestDelMin, kHighestDelMin}},
    {kListSection, "TimeDel", &AppSettings::TimeDel},
    {kListSection, "CheckAdd", &AppSettings::CheckAdd},
    {kListSection, "NoMsgAdd", &AppSettings::NoMsgAdd},
    {kListSection, "DistAlt", &AppSettings::DistAlt},
    {kListSection, "DistAck", &AppSettings::DistAck},
    {kListSection, "DistRly", &AppSettings::DistRly},

    {kOutputsSection, "NmeaUdp", &AppSettings::NmeaUdp},
    {kOutputsSection, "NmeaUdpHost", &AppSettings::NmeaUdpHost},
    {kOutputsSection, "NmeaUdpPort", &AppSettings::NmeaUdpPort, kPortRange},
    {kOutputsSection, "NmeaTcp", &AppSettings::NmeaTcp},
    {kOutputsSection, "NmeaTcpPort", &AppSettings::NmeaTcpPort, kPortRange},
    {kOutputsSection, "MqttOn", &AppSettings::MqttOn},
    {kOutputsSection, "MqttHost", &AppSettings::MqttHost},
    {kOutputsSection, "MqttPort", &AppSettings::MqttPort, kPortRange},
    {kOutputsSection, "MqttStation", &AppSettings::MqttStation},
    {kOutputsSection, "MqttCredentials", &AppSettings::MqttCredentials},
    {kOutputsSection, "LogOn", &AppSettings::LogOn},
    {kOutputsSection, "LogFolder", &AppSettings::LogFolder},
    {kOutputsSection, "LogFormat", &AppSettings::LogFormat,
     SettingRange{kLogFormatCsv, kLogFormatJsonLines}},
}};

}  // namespace tolvik
