#pragma once

#include <cstdint>
#include <string>

namespace tolvik {

// A colour as one number: blue in the high byte, green in the middle byte,
// red in the low byte (0x0000FF is pure red).
using ColorValue = std::uint32_t;

// The stored name that stands for the system's default input device.
inline constexpr const char* kDefaultInputDeviceName = "Default input device";

// The values of LogFormat.
inline constexpr int kLogFormatCsv = 0;
inline constexpr int kLogFormatJsonLines = 1;

// Every setting that survives a restart, one member per key of the settings
// file, named as the key. Held by the main window; controls change members
// directly and the changes take effect at once; the file is written only
// when the main window closes.
struct AppSettings {
  // [Form]
  int MainTop = 0;
  int MainLeft = 0;
  int MainWidth = 800;
  int MainHeight = 500;
  bool MainMaxmum = false;

  // [Wave]
  std::string WaveInName = kDefaultInputDeviceName;
  bool DecVHF = false;  // decoder mode: false HF, true VHF
  bool DecINV = false;  // polarity inverted; automatic polarity flips it
  bool DecAPS = true;   // automatic polarity
  bool DecAFC = true;   // automatic frequency control (HF)
  int DecFc = 80;       // HF centre frequency in units of 10 Hz, 50..100
  bool ShowSpec = true;
  bool DecENH = false;  // enhanced decoding: soft decisions and check repair (HF)

  // [List]
  ColorValue FontColor = 0x000000;
  ColorValue BackColor = 0xFFFFFF;
  int FontSize = 8;
  std::string FontName = "Tahoma";
  int DelMin = 6;  // ageing limit in units of 10 minutes, 1..143
  bool TimeDel = false;
  bool CheckAdd = false;
  bool NoMsgAdd = false;
  bool DistAlt = true;
  bool DistAck = true;
  bool DistRly = true;

  // [Outputs]
  bool NmeaUdp = false;  // each row's NMEA sentences as datagrams to NmeaUdpHost
  std::string NmeaUdpHost = "127.0.0.1";
  int NmeaUdpPort = 10110;  // where plotters listen by habit
  bool NmeaTcp = false;     // a TCP server plotters connect to
  int NmeaTcpPort = 10110;
  bool MqttOn = false;  // each row as a JSON message to a broker
  std::string MqttHost = "localhost";
  int MqttPort = 1883;
  std::string MqttStation;      // the topic's station name; empty: this machine's host name
  std::string MqttCredentials;  // a file with the broker's user and password; empty: none
  bool LogOn = false;           // a log file per UTC day
  std::string LogFolder;        // empty: the folder the desktop program chooses
  int LogFormat = kLogFormatCsv;
};

}  // namespace tolvik
