#include "UiTestDoubles.h"

#include <fstream>
#include <sstream>

namespace tolvik::testing {

void MainWindowFixture::WriteSettings(const std::string& text) const {
  std::ofstream(SettingsFile()) << text;
}

std::string MainWindowFixture::ReadSettings() const {
  std::ifstream in(SettingsFile());
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

CallTexts Call(const std::string& from, const std::string& information, const std::string& position,
               DistressKind kind) {
  CallTexts call;
  call.Category = kind == DistressKind::None ? "Routine" : "Distress";
  call.From = from;
  call.To = "All stations";
  call.RequestStatus = "Test";
  call.Information = information;
  call.Position = position;
  call.Kind = kind;
  return call;
}

}  // namespace tolvik::testing
