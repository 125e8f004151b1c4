#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "audio/CallObserver.h"
#include "base/UtcClock.h"
#include "dsc/DscMessage.h"
#include "list/ReceiveEntry.h"
#include "nmea/DecodedCall.h"

namespace tolvik::testing {

// A received call as the outputs see it: the symbols the decoder kept and
// row texts of the test's choosing. Holds what a WrittenCall refers to.
struct RecordedCall {
  DscCall symbols;
  ReceiveEntry row;
  DistressKind kind = DistressKind::None;
  CallDecoder decoder = CallDecoder::Standard;
  int channel = 0;
  bool repaired = false;

  WrittenCall Written() const { return {symbols, row, kind, decoder, channel, repaired}; }
};

inline RecordedCall Received(const DscMessage& message, DistressKind kind,
                             ReceiveEntry row = {"Routine", "366123450", "211234560", "Test", "",
                                                 "", "", "09:30:00"}) {
  return {DecodedCall::Of(message), std::move(row), kind};
}

inline DscDistressInfo Distress(std::optional<DscTime> time) {
  return {"232001000", kNatureSinking, DscPosition{1, 42, 31, 83, 12}, time, kTelecommandFmSimplex};
}

inline DscMessage DistressAlert(std::optional<DscTime> time) {
  DscMessage alert;
  alert.FormatSpecifier = kFormatDistress;
  alert.Distress = Distress(time);
  return alert;
}

// An all-ships acknowledgement (110) or relay (112) of a distress alert.
inline DscMessage AllShipsDistressCall(int telecommand, std::optional<DscTime> time) {
  DscMessage call;
  call.FormatSpecifier = kFormatAllShips;
  call.Category = kCategoryDistress;
  call.SelfId = "002320001";
  call.FirstTelecommand = telecommand;
  call.Distress = Distress(time);
  return call;
}

// A relay addressed to one station.
inline DscMessage IndividualRelay(std::optional<DscTime> time) {
  DscMessage relay = AllShipsDistressCall(kTelecommandDistressRelay, time);
  relay.FormatSpecifier = kFormatIndividual;
  relay.Address = "211234560";
  return relay;
}

inline DscMessage RoutineCall() {
  DscMessage call;
  call.FormatSpecifier = kFormatIndividual;
  call.Address = "211234560";
  call.SelfId = "366123450";
  call.FirstTelecommand = kTelecommandFmSimplex;
  call.FirstFrequency = DscFrequency::Vhf(16);
  call.EndOfSequence = kEosAckRequest;
  return call;
}

// A clock the test sets.
class FixedUtcClock final : public UtcClock {
 public:
  explicit FixedUtcClock(UtcTime time) : time_(time) {}
  UtcTime Now() const override { return time_; }
  void Set(UtcTime time) { time_ = time; }

 private:
  UtcTime time_;
};

// A fresh folder under the system's temporary folder, removed afterwards.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tolvik-outputs-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("no temporary folder");
    }
    path_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace tolvik::testing
