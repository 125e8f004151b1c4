#include <gtest/gtest.h>

#include "demod/CentreFrequencySetup.h"
#include "demod/DecoderMode.h"

namespace tolvik {
namespace {

TEST(DecoderModeTest, DisplayConstantsPerMode) {
  EXPECT_EQ(DecoderModeFromSetting(false), DecoderMode::Hf);
  EXPECT_EQ(DecoderModeFromSetting(true), DecoderMode::Vhf);

  const ModeDisplayConstants hf = DisplayConstantsOf(DecoderMode::Hf);
  EXPECT_EQ(hf.StatusText, "HF DSC");
  EXPECT_EQ(hf.DecimationFactor, 10);
  EXPECT_EQ(hf.EyeStep, 2);
  EXPECT_EQ(hf.EyeGain, 5.88);

  const ModeDisplayConstants vhf = DisplayConstantsOf(DecoderMode::Vhf);
  EXPECT_EQ(vhf.StatusText, "VHF DSC");
  EXPECT_EQ(vhf.DecimationFactor, 4);
  EXPECT_EQ(vhf.EyeStep, 10);
  EXPECT_EQ(vhf.EyeGain, 1.25);
}

TEST(CentreFrequencySetupTest, DecFcSetsBothCentresAndKeepsTheErrorEstimate) {
  ChannelTuning tuning;
  tuning.TrackedCentre = 812.5;  // moved by the frequency control
  tuning.FrequencyError = 12.5;
  for (const auto& [dec_fc, centre] : {std::pair{50, 500.0}, {80, 800.0}, {100, 1000.0}}) {
    SetCentreFromDecFc(tuning, dec_fc);
    EXPECT_EQ(tuning.CentreFrequency, centre);
    EXPECT_EQ(tuning.TrackedCentre, centre);
    EXPECT_EQ(tuning.FrequencyError, 12.5);
  }
}

}  // namespace
}  // namespace tolvik
