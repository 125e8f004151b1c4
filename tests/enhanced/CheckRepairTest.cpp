// The check character gate on scores made from known soft bits.

#include "enhanced/CheckRepair.h"

#include <gtest/gtest.h>

#include <vector>

#include "dsc/DscEncoder.h"
#include "dsc/DscSymbols.h"
#include "enhanced/CallLengthRule.h"

namespace tolvik {
namespace {

// The worked example: an individual call, 22 characters, check 103.
const std::vector<int> kIndividualCall{120, 120, 21,  12,  34, 56, 0,  100, 36,  61,  23,
                                       45,  0,   100, 126, 90, 0,  16, 126, 126, 126, 117};
constexpr int kIndividualCheck = 103;
// Soft-bit noise variance the scores are judged with: a signal near 7 dB.
constexpr double kVariance = 0.3;

// The summed scores of a DX and an RX copy of `value`, each at `level`
// (1 clean, 0 erased).
CodewordScores CopiesOf(int value, double level) {
  static const CodewordMetrics metrics;
  SymbolSoftBits soft{};
  const SymbolBitArray bits = SymbolBits(value);
  for (int i = 0; i < kBitsPerSymbol; ++i) {
    soft[i] = level * (bits[i] != 0 ? 1.0 : -1.0);
  }
  CodewordScores scores{};
  metrics.Score(soft, scores);
  for (double& score : scores) {
    score *= 2.0;
  }
  return scores;
}

// A received call: per position the scores, the value an assembler would
// have stored (the best allowed value) and the variance the gate weighs it
// with, some positions erased.
struct Received {
  std::vector<CodewordScores> Scores;
  std::vector<CheckRepair::Position> Positions;
  SymbolSequence Primary;
  CodewordScores CheckScores{};
  CheckRepair::Position Check;
};

// The assembler's variance for copies at `level`: the larger of the
// reception's and the copies' own mean squared distance from the codeword,
// (1 - level)^2.
double VarianceAt(double level) {
  return std::max(kVariance, (1.0 - level) * (1.0 - level));
}

Received Receive(const std::vector<int>& call, int check, std::vector<int> erased = {},
                 bool erase_check = false) {
  Received received;
  received.Scores.reserve(call.size());
  for (std::size_t p = 0; p < call.size(); ++p) {
    const bool gone = std::find(erased.begin(), erased.end(), p) != erased.end();
    const double level = gone ? 0.0 : 1.0;
    received.Scores.push_back(CopiesOf(call[p], level));
    // An erased position reads as any value; 0 is what a flat score gives.
    const int stored = gone ? 0 : call[p];
    received.Primary.Symbols[p] = static_cast<std::uint8_t>(stored);
    received.Positions.push_back({nullptr, stored, VarianceAt(level)});
  }
  // Position 1 carries the scores of both format copies.
  for (int v = 0; v < kCodewords; ++v) {
    received.Scores[1][v] += received.Scores[0][v];
  }
  for (std::size_t p = 0; p < call.size(); ++p) {
    received.Positions[p].Scores = &received.Scores[p];
  }
  received.Primary.Count = static_cast<int>(call.size());
  const double check_level = erase_check ? 0.0 : 1.0;
  received.CheckScores = CopiesOf(check, check_level);
  received.Check = {&received.CheckScores, erase_check ? 0 : check, VarianceAt(check_level)};
  return received;
}

CheckOutcome Judge(Received& received) {
  CheckRepair repair;
  return repair.Judge(received.Positions, received.Check, received.Primary);
}

std::vector<int> Stored(const SymbolSequence& sequence) {
  return {sequence.Symbols.begin(), sequence.Symbols.begin() + sequence.Count};
}

TEST(CheckRepairTest, CleanCallIsAcceptedAsReceived) {
  Received received = Receive(kIndividualCall, kIndividualCheck);
  const CheckOutcome outcome = Judge(received);
  EXPECT_EQ(outcome.Verdict, CheckVerdict::Accepted);
  EXPECT_GT(outcome.Posterior, 0.999);
  EXPECT_EQ(Stored(received.Primary), kIndividualCall);
}

TEST(CheckRepairTest, OneErasedCharacterIsMendedByTheCheck) {
  for (int position : {2, 9, 14, 17}) {  // address, self-identity, telecommand, frequency
    Received received = Receive(kIndividualCall, kIndividualCheck, {position});
    const CheckOutcome outcome = Judge(received);
    EXPECT_EQ(outcome.Verdict, CheckVerdict::Repaired) << position;
    EXPECT_GT(outcome.Posterior, 0.99);
    EXPECT_EQ(Stored(received.Primary), kIndividualCall) << position;
  }
}

TEST(CheckRepairTest, ErasedCheckCharacterWithAGoodCallIsAccepted) {
  // The stored check (0) fails, and the only passing sequence that keeps
  // every clean character is the call with check 103.
  Received received = Receive(kIndividualCall, kIndividualCheck, {}, true);
  EXPECT_EQ(Judge(received).Verdict, CheckVerdict::Repaired);
  EXPECT_EQ(Stored(received.Primary), kIndividualCall);
}

TEST(CheckRepairTest, TwoErasedCharactersAreRefused) {
  // One check cannot fix two unknowns: about 120 pairs pass equally well.
  Received received = Receive(kIndividualCall, kIndividualCheck, {9, 10});
  const CheckOutcome outcome = Judge(received);
  EXPECT_EQ(outcome.Verdict, CheckVerdict::Refused);
  EXPECT_LT(outcome.Posterior, 0.05);
}

TEST(CheckRepairTest, ConfidentWrongCheckIsRefusedRatherThanMended) {
  // Every character is clean but the check says otherwise: any one of 23
  // characters could be the wrong one, none more likely than another.
  Received received = Receive(kIndividualCall, 0);
  const CheckOutcome outcome = Judge(received);
  EXPECT_EQ(outcome.Verdict, CheckVerdict::Refused);
  EXPECT_EQ(Stored(received.Primary), kIndividualCall);  // left as received
}

TEST(CheckRepairTest, DoubtfulPassedCheckIsRefused) {
  // Two erased characters read as 0 and 0, and the call really had 0 and 0
  // there, so the check passes; but any equal pair would pass as well, so
  // the received sequence has a posterior of about 1 / 124.
  std::vector<int> call = kIndividualCall;
  call[9] = 0;
  call[10] = 0;
  const std::uint8_t check =
      CallCheckCharacter(std::vector<std::uint8_t>(call.begin(), call.end()));
  Received received = Receive(call, check, {9, 10});
  const CheckOutcome outcome = Judge(received);
  EXPECT_EQ(outcome.Verdict, CheckVerdict::Refused);
  EXPECT_LT(outcome.Posterior, 0.05);
}

TEST(CheckRepairTest, StrictGateShowsOnlyWhatTheNormalGateShowsAndRefusesTheDoubtfulBand) {
  // Two characters received ever weaker, from clean to nearly gone, their
  // values still right: the posterior falls from 1 towards 1 / 124 on the
  // way, through the band between the two gates' passes.
  int doubtful = 0;
  for (double level = 1.0; level > 0.04; level -= 0.01) {
    CheckOutcome outcomes[2];
    for (const GateStrictness strictness : {GateStrictness::Normal, GateStrictness::Strict}) {
      Received received = Receive(kIndividualCall, kIndividualCheck);
      for (const int position : {9, 10}) {
        received.Scores[position] = CopiesOf(kIndividualCall[position], level);
        received.Positions[position].Variance = VarianceAt(level);
      }
      CheckRepair repair;
      repair.SetStrictness(strictness);
      outcomes[strictness == GateStrictness::Strict ? 1 : 0] =
          repair.Judge(received.Positions, received.Check, received.Primary);
    }
    const CheckOutcome& normal = outcomes[0];
    const CheckOutcome& strict = outcomes[1];
    EXPECT_DOUBLE_EQ(strict.Posterior, normal.Posterior) << level;  // the same weights
    if (strict.Verdict != CheckVerdict::Refused) {
      EXPECT_EQ(strict.Verdict, normal.Verdict) << level;
      EXPECT_GE(strict.Posterior, kStrictPassPosterior) << level;
    }
    if (normal.Verdict == CheckVerdict::Accepted && strict.Verdict == CheckVerdict::Refused) {
      EXPECT_GE(normal.Posterior, kPassPosterior) << level;
      EXPECT_LT(normal.Posterior, kStrictPassPosterior) << level;
      ++doubtful;
    }
  }
  EXPECT_GE(doubtful, 1);  // the band was crossed, not jumped over
}

TEST(CheckRepairTest, MendIsRefusedWhenTheLengthDoesNotFitTheFormat) {
  std::vector<int> call = kIndividualCall;
  call.insert(call.begin() + 20, 126);  // 23 characters: no individual call is that long
  const std::uint8_t check =
      CallCheckCharacter(std::vector<std::uint8_t>(call.begin(), call.end()));
  Received received = Receive(call, check, {9});
  EXPECT_EQ(Judge(received).Verdict, CheckVerdict::Refused);
}

TEST(CheckRepairTest, LengthsOfEveryFormat) {
  SymbolSequence call;
  const auto fits = [&](int format, int length) {
    call.Symbols[0] = static_cast<std::uint8_t>(format);
    call.Count = length;
    return CallLengthFitsFormat(call);
  };
  EXPECT_TRUE(fits(kFormatIndividual, 22));
  EXPECT_TRUE(fits(kFormatGroup, 29));
  EXPECT_TRUE(fits(kFormatGeographicArea, 22));
  EXPECT_FALSE(fits(kFormatIndividual, 23));
  EXPECT_TRUE(fits(kFormatDistress, 17));
  EXPECT_FALSE(fits(kFormatDistress, 22));
  EXPECT_TRUE(fits(kFormatAllShips, 17));
  EXPECT_TRUE(fits(kFormatAllShips, 24));
  EXPECT_FALSE(fits(kFormatAllShips, 22));
  EXPECT_TRUE(fits(kFormatSemiAutomatic, 23));
  EXPECT_TRUE(fits(kFormatSemiAutomatic, 40));
  EXPECT_FALSE(fits(kFormatSemiAutomatic, 41));
  EXPECT_FALSE(fits(126, 22));
}

}  // namespace
}  // namespace tolvik
