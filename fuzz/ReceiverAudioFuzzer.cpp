// Audio bytes into the block pipeline: the Receiver fed capture buffers as a
// sound card delivers them (little-endian 16-bit stereo, 4800 frames), in
// either mode, with the standard or the enhanced decoder.
//
// Input: two bytes of choices, then the capture bytes; the last block is
// padded with silence, and the input ends as a file would (FinishInput).
//   byte 0 bit 0  VHF mode (HF otherwise)
//          bit 1  enhanced decoding
//          bit 2  start inverted
//          bit 3  automatic polarity off
//          bit 4  automatic frequency control off
//          bit 5  the enhanced decoder's strict gate
//          bit 6  monitoring on
//          bit 7  switch the mode half-way through
//   byte 1        HF centre, DecFc = 50 + byte % 51 (500..1000 Hz)

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "audio/HeadlessHost.h"
#include "audio/Receiver.h"
#include "base/CaptureBlock.h"
#include "base/StatusTextSink.h"
#include "base/TimeOfDayClock.h"
#include "settings/AppSettings.h"
#include "support/FuzzBytes.h"

namespace {

using tolvik::fuzzing::FlagSet;

constexpr int kLowestCentreSetting = 50;
constexpr int kCentreSettingSteps = 51;

// Shows nothing; a fixed clock keeps the runs alike.
struct SilentHost final : tolvik::HeadlessHost, tolvik::StatusTextSink, tolvik::TimeOfDayClock {
  void ShowStatusText(tolvik::StatusPanel, const std::string&) override {}
  tolvik::TimeOfDay Now() const override { return {12, 0, 0, 0}; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tolvik::fuzzing::FuzzBytes input(data, size);
  const std::uint8_t flags = input.Next();
  const std::uint8_t centre = input.Next();

  tolvik::AppSettings settings;
  settings.DecVHF = FlagSet(flags, 0);
  settings.DecENH = FlagSet(flags, 1);
  settings.DecINV = FlagSet(flags, 2);
  settings.DecAPS = !FlagSet(flags, 3);
  settings.DecAFC = !FlagSet(flags, 4);
  settings.DecFc = kLowestCentreSetting + centre % kCentreSettingSteps;
  SilentHost host;
  tolvik::Receiver receiver(settings, {host, host, host, host});
  receiver.SetStrictGate(FlagSet(flags, 5));
  receiver.Pipeline().SetMonitoring(FlagSet(flags, 6));

  const auto audio = input.Rest();
  const std::size_t blocks = (audio.size() + tolvik::kBytesPerBlock - 1) / tolvik::kBytesPerBlock;
  const std::size_t switch_at = FlagSet(flags, 7) ? blocks / 2 : blocks;
  tolvik::CaptureBlock block{};
  for (std::size_t index = 0; index < blocks; ++index) {
    if (index == switch_at) {
      settings.DecVHF = !settings.DecVHF;
      receiver.SetUpDecoderMode();
    }
    const std::size_t start = index * tolvik::kBytesPerBlock;
    const std::size_t count = std::min(tolvik::kBytesPerBlock, audio.size() - start);
    block.fill(std::byte{0});
    std::memcpy(block.data(), audio.data() + start, count);
    receiver.ProcessBlock(tolvik::CaptureBuffer(block));
  }
  receiver.FinishInput();
  return 0;
}
