#include "gen/SignalStream.h"

#include <gtest/gtest.h>

#include <vector>

#include "gen/CallDescriptionParser.h"

namespace tolvik {
namespace {

std::vector<CallDescription> TwoCalls() {
  return {ParseCallDescription(
              "format=individual to=211234560 from=232001000 tc1=100 freq=vhf16 dots=20"),
          ParseCallDescription("format=distress from=232001000 dots=20")};
}

// Everything a stream gives, read `chunk` samples at a time.
std::vector<double> ReadInChunks(SignalStream& stream, std::size_t chunk) {
  std::vector<double> all;
  std::vector<double> piece(chunk);
  while (const std::size_t count = stream.Read(piece))
    all.insert(all.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(count));
  return all;
}

TEST(SignalStreamTest, AnyReadSizeGivesTheSameSamplesAsTheWholeSignal) {
  SignalOptions options;
  options.SampleRateHz = 11025;  // bit periods of a fractional sample count
  options.BitRateErrorPpm = 37;
  options.EbN0Db = 15;
  options.Amplitude = 2000;
  const std::vector<CallDescription> calls = TwoCalls();
  const GeneratedSignal whole = GenerateSignalWithPlacements(calls, options);
  // Odd sizes put the piece edges inside bits, calls and gaps.
  for (const std::size_t chunk : {1u, 7u, 333u, 100000u}) {
    SCOPED_TRACE(chunk);
    SignalStream stream(calls, options);
    EXPECT_EQ(stream.TotalSamples(), whole.Samples.size());
    EXPECT_EQ(ReadInChunks(stream, chunk), whole.Samples);
    ASSERT_EQ(stream.Calls().size(), 2u);
    EXPECT_DOUBLE_EQ(stream.Calls()[1].StartS, whole.Calls[1].StartS);
    EXPECT_DOUBLE_EQ(stream.Calls()[1].EndS, whole.Calls[1].EndS);
  }
}

TEST(SignalStreamTest, LengthIsKnownBeforeAnySampleAndHoldsForLongSignals) {
  // Three hours: more than the in-memory generator makes, nothing held.
  SignalOptions options;
  options.LeadS = 3600;
  options.GapS = 3600;
  options.TrailS = 3600;
  SignalStream stream(TwoCalls(), options);
  const double calls_s = (stream.Calls()[0].EndS - stream.Calls()[0].StartS) +
                         (stream.Calls()[1].EndS - stream.Calls()[1].StartS);
  EXPECT_NEAR(static_cast<double>(stream.TotalSamples()) / 48000, 3 * 3600 + calls_s, 1e-3);
  EXPECT_THROW(GenerateSignal(TwoCalls(), options), std::invalid_argument);
}

}  // namespace
}  // namespace tolvik
