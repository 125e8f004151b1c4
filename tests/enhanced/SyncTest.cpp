// Finding calls: the template with either polarity, the offset bank, and
// nothing from noise.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "EnhancedTestSupport.h"

namespace tolvik {
namespace {

constexpr char kIndividualCall[] =
    "format=individual to=211234560 from=232001000 tc1=100 freq=2182 freq2=8414.5 eos=req";

std::vector<double> OneCall(const SignalOptions& options) {
  const auto calls = Calls({kIndividualCall});
  return GenerateSignal(calls, options);
}

// The frequency error shown with "Receiving data...", in Hz.
double ShownFrequencyError(const EnhancedRun& run) {
  for (const std::string& text : run.Statuses) {
    const auto at = text.find("Freq Err = ");
    if (at != std::string::npos) {
      return std::strtod(text.c_str() + at + 11, nullptr);
    }
  }
  ADD_FAILURE() << "no frequency error shown";
  return 0.0;
}

TEST(SyncTest, InvertedCallIsFoundByTheSignOfTheCorrelation) {
  SignalOptions options;
  options.Inverted = true;
  options.Amplitude = 2000;
  const std::vector<double> samples = OneCall(options);
  const EnhancedRun run = DecodeEnhanced(samples);
  ASSERT_EQ(run.Rows.size(), 1u);
  EXPECT_EQ(run.Rows[0].To, "211234560");

  EnhancedOptions upright_only;
  upright_only.AutoPolarity = false;
  EXPECT_EQ(DecodeEnhanced(samples, upright_only).Syncs, 0);

  EnhancedOptions inverted_only = upright_only;
  inverted_only.Inverted = true;
  EXPECT_EQ(DecodeEnhanced(samples, inverted_only).Rows.size(), 1u);
}

TEST(SyncTest, OffsetBankFindsAToneOffsetOf25HzEitherWay) {
  for (double offset : {25.0, -25.0}) {
    SignalOptions options;
    options.OffsetHz = offset;
    options.Amplitude = 1000;
    options.EbN0Db = 12;  // noise, so the estimate is not read off a perfect signal
    const EnhancedRun run = DecodeEnhanced(OneCall(options));
    ASSERT_EQ(run.Rows.size(), 1u) << offset;
    // The bank steps by 10 Hz and refines between its steps within 5 Hz.
    EXPECT_NEAR(ShownFrequencyError(run), offset, 3.0) << offset;
  }
}

TEST(SyncTest, OnTuneTheFrequencyErrorIsNearZero) {
  SignalOptions options;
  options.Amplitude = 1000;
  EXPECT_NEAR(ShownFrequencyError(DecodeEnhanced(OneCall(options))), 0.0, 1.0);
}

TEST(SyncTest, WithoutTheBankAFarOffsetLosesTheWeakCall) {
  // 30 Hz off, the centre filters still see the tones (the sync is found),
  // but a tenth of each bit's energy goes to the wrong side: at 7 dB that
  // costs the call without the bank, while the bank mends it.
  SignalOptions options;
  options.OffsetHz = 30;
  options.Amplitude = 1000;
  options.EbN0Db = 7;
  int with_bank = 0;
  int without_bank = 0;
  EnhancedOptions no_bank;
  no_bank.FrequencyOffsetBank = false;
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    options.Seed = seed;
    const std::vector<double> samples = OneCall(options);
    with_bank += static_cast<int>(DecodeEnhanced(samples).Rows.size());
    without_bank += static_cast<int>(DecodeEnhanced(samples, no_bank).Rows.size());
  }
  EXPECT_GT(with_bank, without_bank);
}

TEST(SyncTest, NoiseAndSilenceGiveNoSync) {
  // Two minutes of noise at levels from faint to near full scale: the
  // correlation of noise stays some 7 standard deviations below a fifth of
  // its envelope sum.
  for (double sigma : {30.0, 2000.0, 9000.0}) {
    std::vector<double> noise(48000 * 40, 0.0);
    AddNoise(noise, 1.0, 0.0, static_cast<std::uint64_t>(sigma));
    GaussianNoise source(static_cast<std::uint64_t>(sigma), sigma);
    for (double& sample : noise) {
      sample = source.Next();
    }
    const EnhancedRun run = DecodeEnhanced(noise);
    EXPECT_EQ(run.Syncs, 0) << sigma;
    EXPECT_TRUE(run.Rows.empty());
  }
  EXPECT_EQ(DecodeEnhanced(std::vector<double>(48000 * 10, 0.0)).Syncs, 0);
}

TEST(SyncTest, EachCallIsFoundOnceNotAgainInItsOwnData) {
  const auto calls = Calls({kIndividualCall, kIndividualCall, kIndividualCall});
  SignalOptions options;
  options.Amplitude = 12000;  // strong data is what the soft-value share rejects
  const EnhancedRun run = DecodeEnhanced(GenerateSignal(calls, options));
  EXPECT_EQ(run.Syncs, 3);
  EXPECT_EQ(run.Rows.size(), 3u);
}

}  // namespace
}  // namespace tolvik
