// Two receivers on one stereo input: different calls on the left and the
// right channel, decoded apart with the channel each came from, by the
// standard chain and the enhanced decoders, HF and VHF.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "audio/CallObserver.h"
#include "audio/HeadlessHost.h"
#include "audio/Receiver.h"
#include "base/CaptureBlock.h"
#include "gen/CallDescriptionParser.h"
#include "gen/SignalGenerator.h"

namespace tolvik {
namespace {

constexpr char kLeftCall[] =
    "format=individual to=211000010 from=232001000 tc1=100 freq=vhf16 eos=req";
constexpr char kRightCall[] = "format=all-ships category=safety from=002320001 tc1=109 freq=2182";

// One generated call, as mono samples.
std::vector<double> Signal(const char* call, bool vhf, bool inverted = false) {
  SignalOptions options;
  options.Vhf = vhf;
  options.Inverted = inverted;
  options.Amplitude = 3000.0;
  const std::vector<CallDescription> calls{ParseCallDescription(call)};
  return GenerateSignal(calls, options);
}

// What an output learns of a row.
struct SeenRow {
  std::string To;
  int Channel;
  CallDecoder Decoder;
};

// A receiver that shows nothing, fed a stereo input built from two mono
// signals, and told of each row with its channel.
class StereoReceiver final : private HeadlessHost,
                             private StatusTextSink,
                             private TimeOfDayClock,
                             private CallObserver {
 public:
  explicit StereoReceiver(const AppSettings& settings) : settings_(settings) {
    receiver_.SetCallObserver(this);
  }
  StereoReceiver(bool vhf, bool enhanced) : StereoReceiver(SettingsFor(vhf, enhanced)) {}

  // Every call a row of its own.
  static AppSettings SettingsFor(bool vhf, bool enhanced) {
    AppSettings settings;
    settings.DecVHF = vhf;
    settings.DecENH = enhanced;
    settings.CheckAdd = false;
    settings.NoMsgAdd = false;
    return settings;
  }

  Receiver& Rx() { return receiver_; }
  AppSettings& Settings() { return settings_; }

  void Feed(const std::vector<double>& left, const std::vector<double>& right) {
    const std::size_t frames = std::max(left.size(), right.size());
    std::vector<double> interleaved(2 * frames, 0.0);
    for (std::size_t i = 0; i < left.size(); ++i) {
      interleaved[2 * i] = left[i];
    }
    for (std::size_t i = 0; i < right.size(); ++i) {
      interleaved[2 * i + 1] = right[i];
    }
    CaptureBlock buffer{};
    const std::span<const double> all(interleaved);
    for (std::size_t start = 0; start < all.size(); start += 2 * kFramesPerBlock) {
      FillStereoCaptureBlock(
          all.subspan(start, std::min<std::size_t>(2 * kFramesPerBlock, all.size() - start)),
          buffer);
      receiver_.ProcessBlock(CaptureBuffer(buffer));
    }
    receiver_.FinishInput();
  }

  const std::vector<SeenRow>& Rows() const { return rows_; }

 private:
  void ShowStatusText(StatusPanel, const std::string&) override {}
  TimeOfDay Now() const override { return {12, 0, 0, 0}; }
  void CallWritten(const WrittenCall& call) override {
    rows_.push_back({call.row.To, call.channel, call.decoder});
  }

  AppSettings settings_;
  Receiver receiver_{settings_, {*this, *this, *this, *this}};
  std::vector<SeenRow> rows_;
};

struct Mode {
  bool Vhf;
  bool Enhanced;
};

class StereoReceiverTest : public ::testing::TestWithParam<Mode> {
 protected:
  bool Vhf() const { return GetParam().Vhf; }
  CallDecoder Decoder() const {
    return GetParam().Enhanced ? CallDecoder::Enhanced : CallDecoder::Standard;
  }
};

INSTANTIATE_TEST_SUITE_P(Modes, StereoReceiverTest,
                         ::testing::Values(Mode{false, false}, Mode{false, true}, Mode{true, false},
                                           Mode{true, true}),
                         [](const ::testing::TestParamInfo<Mode>& mode) {
                           return std::string(mode.param.Vhf ? "Vhf" : "Hf") +
                                  (mode.param.Enhanced ? "Enhanced" : "Standard");
                         });

TEST_P(StereoReceiverTest, BothChannelsGiveTheirOwnCallsLabelled) {
  StereoReceiver stereo(Vhf(), GetParam().Enhanced);
  stereo.Rx().SetDecodedChannels(DecodedChannels::Both);
  // The two calls overlap in time: each channel's decoder reads only its own.
  stereo.Feed(Signal(kLeftCall, Vhf()), Signal(kRightCall, Vhf()));
  ASSERT_EQ(stereo.Rows().size(), 2u);
  const auto& rows = stereo.Rows();
  const auto left = std::find_if(rows.begin(), rows.end(), [](auto& r) { return r.Channel == 0; });
  const auto right = std::find_if(rows.begin(), rows.end(), [](auto& r) { return r.Channel == 1; });
  ASSERT_NE(left, rows.end());
  ASSERT_NE(right, rows.end());
  EXPECT_EQ(left->To, "211000010");
  EXPECT_EQ(right->To, "All stations");
  EXPECT_EQ(left->Decoder, Decoder());
  EXPECT_EQ(right->Decoder, Decoder());
}

TEST_P(StereoReceiverTest, OneChannelAloneIgnoresTheOther) {
  StereoReceiver left_only(Vhf(), GetParam().Enhanced);  // the default
  left_only.Feed(Signal(kLeftCall, Vhf()), Signal(kRightCall, Vhf()));
  ASSERT_EQ(left_only.Rows().size(), 1u);
  EXPECT_EQ(left_only.Rows()[0].To, "211000010");
  EXPECT_EQ(left_only.Rows()[0].Channel, 0);

  StereoReceiver right_only(Vhf(), GetParam().Enhanced);
  right_only.Rx().SetDecodedChannels(DecodedChannels::Right);
  right_only.Feed(Signal(kLeftCall, Vhf()), Signal(kRightCall, Vhf()));
  ASSERT_EQ(right_only.Rows().size(), 1u);
  EXPECT_EQ(right_only.Rows()[0].To, "All stations");
  EXPECT_EQ(right_only.Rows()[0].Channel, 1);
}

TEST_P(StereoReceiverTest, InvertedCallOnTheRightLeavesTheLeftPolarityAlone) {
  StereoReceiver stereo(Vhf(), GetParam().Enhanced);
  stereo.Rx().SetDecodedChannels(DecodedChannels::Both);
  ASSERT_TRUE(stereo.Settings().DecAPS);
  // Right first and inverted; the upright left call comes after it, so a
  // flip of the left polarity by the right channel would lose it.
  std::vector<double> left(Signal(kRightCall, Vhf()).size(), 0.0);
  const std::vector<double> later = Signal(kLeftCall, Vhf());
  left.insert(left.end(), later.begin(), later.end());
  stereo.Feed(left, Signal(kRightCall, Vhf(), true));
  EXPECT_FALSE(stereo.Settings().DecINV);
  EXPECT_TRUE(stereo.Rx().RightChannelInverted());
  ASSERT_EQ(stereo.Rows().size(), 2u);
  EXPECT_EQ(stereo.Rows()[0].Channel, 1);
  EXPECT_EQ(stereo.Rows()[1].Channel, 0);
  EXPECT_EQ(stereo.Rows()[1].To, "211000010");
}

TEST(StereoReceiverPolarityTest, TheRightChannelStartsWithDecInv) {
  // Without automatic polarity each channel keeps the polarity it starts
  // with, the user's: inverted calls on both sides are read.
  AppSettings settings = StereoReceiver::SettingsFor(false, false);
  settings.DecAPS = false;
  settings.DecINV = true;
  StereoReceiver stereo(settings);
  stereo.Rx().SetDecodedChannels(DecodedChannels::Both);
  EXPECT_TRUE(stereo.Rx().RightChannelInverted());
  stereo.Feed(Signal(kLeftCall, false, true), Signal(kRightCall, false, true));
  EXPECT_EQ(stereo.Rows().size(), 2u);
}

}  // namespace
}  // namespace tolvik
