#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "CallLedger.h"
#include "CallMix.h"
#include "CallsOnNoise.h"
#include "ReferenceRows.h"
#include "StreamDecoder.h"
#include "base/BlockFormat.h"
#include "gen/GaussianNoise.h"
#include "gen/SignalGenerator.h"

namespace tolvik {
namespace {

constexpr double kSigma = 1000.0;
constexpr std::uint64_t kNoiseSeed = 3;

double PeakForEbN0(double ebn0_db) {
  return kSigma / NoiseSigmaForEbN0(1.0, ebn0_db, NominalBitRate(true), kCaptureRateHz);
}

std::vector<double> CleanCall(const CallDescription& call, double peak) {
  SignalOptions options;
  options.Vhf = true;
  options.LeadS = 0.0;
  options.TrailS = 0.0;
  options.Amplitude = peak;
  return GenerateSignal(std::span(&call, 1), options);
}

TEST(CallsOnNoiseTest, CallsSitOnTheNoiseWhereTheyWereAddedAtTheirLevel) {
  const std::vector<CallDescription> calls = MakeCallMix(2, 1);
  CallsOnNoise air(true, kSigma, kNoiseSeed);
  const CallPlacement first = air.Add(calls[0], 0.3, 10.0);
  const CallPlacement second = air.Add(calls[1], first.EndS + 0.2, 20.0);
  EXPECT_DOUBLE_EQ(first.StartS, 0.3);
  EXPECT_NEAR(first.EndS - first.StartS, air.CallSeconds(calls[0]), 1e-9);
  EXPECT_EQ(first.Bits, static_cast<int>(CallBits(calls[0], true).size()));

  // Read in pieces that fall across the calls' edges anywhere.
  const auto total = static_cast<std::size_t>((second.EndS + 0.3) * kCaptureRateHz);
  std::vector<double> read(total);
  for (std::size_t done = 0; done < total;) {
    const std::size_t count = std::min<std::size_t>(997, total - done);
    air.Read(std::span(read).subspan(done, count));
    done += count;
  }
  EXPECT_DOUBLE_EQ(air.SecondsRead(), static_cast<double>(total) / kCaptureRateHz);

  // What is left after taking the same noise away is the two calls alone.
  GaussianNoise noise(kNoiseSeed, kSigma);
  std::vector<double> signal(total);
  for (std::size_t n = 0; n < total; ++n) {
    signal[n] = read[n] - noise.Next();
  }
  const struct {
    CallPlacement placement;
    std::vector<double> samples;
  } expected[] = {{first, CleanCall(calls[0], PeakForEbN0(10.0))},
                  {second, CleanCall(calls[1], PeakForEbN0(20.0))}};
  std::vector<double> wanted(total, 0.0);
  for (const auto& call : expected) {
    const auto start =
        static_cast<std::size_t>(std::llround(call.placement.StartS * kCaptureRateHz));
    for (std::size_t n = 0; n < call.samples.size() && start + n < total; ++n) {
      wanted[start + n] = call.samples[n];
    }
  }
  for (std::size_t n = 0; n < total; ++n) {
    ASSERT_NEAR(signal[n], wanted[n], 1e-6) << "sample " << n;
  }
  // 10 dB further up, the tones' peak is sqrt(10) times higher.
  const auto peak = [&](const CallPlacement& p) {
    double highest = 0.0;
    for (auto n = static_cast<std::size_t>(p.StartS * kCaptureRateHz);
         n < static_cast<std::size_t>(p.EndS * kCaptureRateHz); ++n) {
      highest = std::max(highest, std::abs(signal[n]));
    }
    return highest;
  };
  EXPECT_NEAR(peak(second) / peak(first), std::sqrt(10.0), 0.01);
}

TEST(CallsOnNoiseTest, RefusesACallOverlappingTheOneBeforeOrWhatIsRead) {
  const std::vector<CallDescription> calls = MakeCallMix(2, 1);
  CallsOnNoise air(true, kSigma, kNoiseSeed);
  const CallPlacement first = air.Add(calls[0], 1.0, 10.0);
  EXPECT_THROW(air.Add(calls[1], first.EndS - 0.01, 10.0), std::invalid_argument);
  std::vector<double> piece(static_cast<std::size_t>(3 * kCaptureRateHz));
  air.Read(piece);
  EXPECT_THROW(air.Add(calls[1], 2.5, 10.0), std::invalid_argument);
  EXPECT_NO_THROW(air.Add(calls[1], 3.0, 10.0));
}

TEST(CallOnAirBeforeTest, TheLastCallStartedAtOrBeforeTheOffset) {
  const std::vector<CallPlacement> calls = {{1.0, 1.5, 0}, {2.0, 2.5, 0}, {3.0, 3.5, 0}};
  EXPECT_EQ(CallOnAirBefore(calls, 0.5), std::nullopt);
  EXPECT_EQ(CallOnAirBefore(calls, 1.0), 0u);
  EXPECT_EQ(CallOnAirBefore(calls, 2.9), 1u);
  EXPECT_EQ(CallOnAirBefore(calls, 9.0), 2u);
  EXPECT_EQ(CallOnAirBefore({}, 1.0), std::nullopt);
}

// Calls back to back through a whole receiver, two stretches of them, each
// matched by the ledger: at 20 dB the hour of tolvik_bench_call_rate decoded
// all 6737 calls sent, so every one of these must be decoded, and nothing
// else may count.
TEST(CallLedgerTest, CallsBackToBackAreAllDecodedAndRepeatsOrAlteredRowsAreFalse) {
  constexpr int kCallsPerStretch = 10;
  constexpr double kEbN0Db = 20.0;
  CallsOnNoise air(true, kSigma, kNoiseSeed);
  StreamDecoder decoder(true);
  CallLedger ledger;
  std::vector<BenchRow> rows;
  const auto feed = [&](double end_s) {
    std::vector<double> piece(static_cast<std::size_t>(end_s * kCaptureRateHz) -
                              static_cast<std::size_t>(air.SecondsRead() * kCaptureRateHz));
    air.Read(piece);
    decoder.Feed(piece);
    for (const BenchRow& row : decoder.TakeRows()) {
      rows.push_back(row);
    }
  };
  double start_s = 0.25;
  for (int stretch = 0; stretch < 2; ++stretch) {
    const std::vector<CallDescription> calls = MakeCallMix(kCallsPerStretch, 40 + stretch);
    std::vector<double> starts;
    for (const CallDescription& call : calls) {
      starts.push_back(start_s);
      start_s += air.CallSeconds(call);  // no gap at all
    }
    ledger.SendStretch(air, calls, starts, std::vector<double>(calls.size(), kEbN0Db), true);
    const double stretch_end_s = stretch == 0 ? start_s : start_s + 0.5;  // rows come late
    feed(stretch_end_s);
  }
  ASSERT_EQ(rows.size(), 2u * kCallsPerStretch);
  EXPECT_TRUE(decoder.TakeRows().empty());  // taken rows are gone
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
    EXPECT_TRUE(ledger.Match(rows[i])) << "row " << i << " " << rows[i].Entry.From;
  }
  BenchRow altered = rows.back();
  altered.Entry.Information += "x";
  EXPECT_FALSE(ledger.Match(altered));
  EXPECT_TRUE(ledger.Match(rows.back()));
  EXPECT_FALSE(ledger.Match(rows.back()));  // a call counts once
  EXPECT_EQ(ledger.Counts().Sent, 2 * kCallsPerStretch);
  EXPECT_EQ(ledger.Counts().Decoded, 2 * kCallsPerStretch);
  EXPECT_EQ(ledger.Counts().FalseRows, 2);
  EXPECT_EQ(ledger.Counts().NotDecodedClean, 0);
}

TEST(StreamDecoderTest, RowsCarryTheTimeOfTheInputFromNoonAndAgeOut) {
  const std::vector<CallDescription> calls = MakeCallMix(1, 9);
  CallsOnNoise air(true, kSigma, kNoiseSeed);
  air.Add(calls[0], 0.5, 20.0);
  StreamDecoder decoder(true);
  decoder.AgeRowsOlderThan(1);  // ten minutes
  std::vector<double> second(kCaptureRateHz);
  for (int s = 0; s < 2; ++s) {
    air.Read(second);
    decoder.Feed(second);
  }
  const std::vector<BenchRow> rows = decoder.TakeRows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].Entry.Time, "12:00:01");
  EXPECT_EQ(decoder.ListRows(), 1);
  for (int s = 2; s < 10 * 60 + 3; ++s) {
    air.Read(second);
    decoder.Feed(second);
  }
  EXPECT_EQ(decoder.ListRows(), 0);  // older than ten minutes by now
}

}  // namespace
}  // namespace tolvik
