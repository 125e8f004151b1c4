#include "dsc/SymbolSynchroniser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "RecordingSinks.h"
#include "dsc/DscEncoder.h"
#include "dsc/DscSymbolCode.h"

namespace tolvik {
namespace {

using testing::RecordingCharacterSink;
using testing::RecordingStatusSink;

class SymbolSynchroniserTest : public ::testing::Test {
 protected:
  void PushBits(const std::vector<std::uint8_t>& bits) {
    for (std::uint8_t bit : bits) {
      sync.PushBit(bit);
    }
  }
  void PushSymbols(const std::vector<int>& symbols) {
    PushBits(EncodeSymbols(symbols, kShortDotPatternBits));
  }
  void PushInvertedSymbols(const std::vector<int>& symbols) {
    PushBits(InvertBits(EncodeSymbols(symbols, kShortDotPatternBits)));
  }

  AppSettings settings;
  ChannelTuning tuning;
  RecordingStatusSink status;
  RecordingCharacterSink characters;
  SymbolSynchroniser sync{settings, tuning, status, characters};
};

TEST_F(SymbolSynchroniserTest, ReadsEveryValueAndRejectsEverySingleBitError) {
  for (int value = 0; value <= 127; ++value) {
    const SymbolBitArray code = SymbolBits(value);
    PushBits({code.begin(), code.end()});
    EXPECT_EQ(sync.ReadSymbol(0), value);
    // A single flipped bit changes either the count of ones or the check
    // number by a non-zero amount, so the code never misses one.
    for (int flipped = 0; flipped < kBitsPerSymbol; ++flipped) {
      SymbolBitArray damaged = code;
      damaged[flipped] ^= 1;
      PushBits({damaged.begin(), damaged.end()});
      EXPECT_EQ(sync.ReadSymbol(0), -1) << "value " << value << " bit " << flipped;
    }
    // Fully inverted, a valid code for v reads as 127 - v.
    PushBits(InvertBits(code));
    EXPECT_EQ(sync.ReadSymbol(0), 127 - value);
  }
}

TEST_F(SymbolSynchroniserTest, SlotsAreReadNewestFirstAndOutOfRangeSlotsFail) {
  PushSymbols({1, 2, 3, 4, 5, 6});
  for (int slot = 0; slot < 6; ++slot) {
    EXPECT_EQ(sync.ReadSymbol(slot), 6 - slot);
  }
  EXPECT_EQ(sync.ReadSymbol(-1), -1);
  EXPECT_EQ(sync.ReadSymbol(6), -1);
}

TEST_F(SymbolSynchroniserTest, LocksOnDxPhasingFollowedByAnyRxPhasingSymbol) {
  for (int rx = 104; rx <= 111; ++rx) {
    SymbolSynchroniser fresh{settings, tuning, status, characters};
    for (std::uint8_t bit : EncodeSymbols(std::vector<int>{125, rx, 0, 0}, kShortDotPatternBits)) {
      fresh.PushBit(bit);
    }
    EXPECT_TRUE(fresh.Phased) << rx;
  }
  for (int rx : {103, 112, 125}) {
    SymbolSynchroniser fresh{settings, tuning, status, characters};
    for (std::uint8_t bit : EncodeSymbols(std::vector<int>{125, rx, 0, 0}, kShortDotPatternBits)) {
      fresh.PushBit(bit);
    }
    EXPECT_FALSE(fresh.Phased) << rx;
  }
}

TEST_F(SymbolSynchroniserTest, LocksExactlyWhenThePairReachesSlotsThreeAndTwo) {
  PushSymbols({125, 111, 125});
  EXPECT_FALSE(sync.Phased);
  const SymbolBitArray next = SymbolBits(110);
  for (int i = 0; i < kBitsPerSymbol - 1; ++i) {
    sync.PushBit(next[i]);
  }
  EXPECT_FALSE(sync.Phased);
  sync.PushBit(next[kBitsPerSymbol - 1]);
  EXPECT_TRUE(sync.Phased);
  EXPECT_EQ(characters.resets, 1);
  EXPECT_EQ(sync.BitCounter, 0);
}

TEST_F(SymbolSynchroniserTest, DamagedPhasingSymbolsAreNotRecognised) {
  PushSymbols({kDamagedSymbol, 111, 0, 0, 125, kDamagedSymbol, 0, 0});
  EXPECT_FALSE(sync.Phased);
  EXPECT_TRUE(status.shown.empty());  // nothing is reported while searching
}

TEST_F(SymbolSynchroniserTest, InvertedPhasingNeedsAutomaticPolarity) {
  settings.DecAPS = false;
  PushInvertedSymbols({125, 111, 125, 110});
  EXPECT_FALSE(sync.Phased);
  EXPECT_FALSE(settings.DecINV);

  settings.DecAPS = true;
  PushInvertedSymbols({125, 111, 125, 110});
  EXPECT_TRUE(sync.Phased);
  EXPECT_TRUE(settings.DecINV);
  // The stored bits were put right: the window now reads the true symbols.
  EXPECT_EQ(sync.ReadSymbol(3), 125);
  EXPECT_EQ(sync.ReadSymbol(2), 111);
}

TEST_F(SymbolSynchroniserTest, InvertedRuleIsNotTriedOnTrueDxPhasing) {
  // 125 followed by 16 (the inverted image of 111): the ordinary rule sees
  // no RX phasing symbol, and the inverted rule only applies to a 2.
  PushSymbols({125, 16, 0, 0});
  EXPECT_FALSE(sync.Phased);
  EXPECT_FALSE(settings.DecINV);
}

TEST_F(SymbolSynchroniserTest, WithPolaritySetInvertedBitsLockByTheOrdinaryRule) {
  settings.DecINV = true;
  PushInvertedSymbols({125, 111, 125, 110});
  EXPECT_TRUE(sync.Phased);
  EXPECT_TRUE(settings.DecINV);  // no toggle: the ordinary rule found it
}

TEST_F(SymbolSynchroniserTest, HandsDxAndItsRxRepetitionEveryTwentyBits) {
  const std::vector<int> call = {120, 120, 5, 127, 9};
  PushBits(EncodeSymbols(InterleaveCall(call), kShortDotPatternBits));
  // The DX phasing symbols pair with the last six RX phasing symbols, then
  // each character's two copies arrive together; the stream ends with the
  // RX copy of the check character.
  const std::vector<std::pair<int, int>> expected = {{125, 109}, {125, 108}, {125, 107}, {125, 106},
                                                     {125, 105}, {125, 104}, {120, 120}, {120, 120},
                                                     {5, 5},     {127, 127}, {9, 9}};
  EXPECT_EQ(characters.steps, expected);
  EXPECT_EQ(sync.BitCounter, 0);
}

TEST_F(SymbolSynchroniserTest, StatusTextShowsFrequencyErrorInHfModeOnly) {
  struct Case {
    double error;
    bool vhf;
    const char* text;
  };
  const Case cases[] = {
      {0.0, false, "Receiving data... (Freq Err = +0.0Hz)"},
      {12.5, false, "Receiving data... (Freq Err = +12.5Hz)"},
      {-7.46, false, "Receiving data... (Freq Err = -7.5Hz)"},
      // A small negative error rounds to zero but keeps its sign.
      {-0.04, false, "Receiving data... (Freq Err = -0.0Hz)"},
      // Negative zero is zero: it must not read "+-0.0".
      {-0.0, false, "Receiving data... (Freq Err = +0.0Hz)"},
      {12.5, true, "Receiving data..."},
  };
  for (const Case& c : cases) {
    tuning.FrequencyError = c.error;
    settings.DecVHF = c.vhf;
    status.shown.clear();
    sync.StartReception();
    ASSERT_EQ(status.shown.size(), 1u);
    EXPECT_EQ(status.shown[0].first, StatusPanel::Decoder);
    EXPECT_EQ(status.shown[0].second, c.text);
    sync.StopReception();
  }
}

TEST_F(SymbolSynchroniserTest, AfcMovesTrackedCentreAtPhasingAndStopRestoresIt) {
  tuning.CentreFrequency = 790.0;
  tuning.TrackedCentre = 790.0;
  tuning.FrequencyError = 12.5;
  settings.DecAFC = true;
  PushSymbols({125, 111, 125, 110});
  ASSERT_TRUE(sync.Phased);
  EXPECT_DOUBLE_EQ(tuning.TrackedCentre, 802.5);
  sync.StopReception();
  EXPECT_FALSE(sync.Phased);
  EXPECT_DOUBLE_EQ(tuning.TrackedCentre, 790.0);

  // Without AFC phasing leaves the centre alone, but the end of the
  // reception still puts it back to the user's centre.
  settings.DecAFC = false;
  tuning.TrackedCentre = 805.0;
  PushSymbols({125, 111, 125, 110});
  ASSERT_TRUE(sync.Phased);
  EXPECT_DOUBLE_EQ(tuning.TrackedCentre, 805.0);
  sync.StopReception();
  EXPECT_DOUBLE_EQ(tuning.TrackedCentre, 790.0);
}

TEST_F(SymbolSynchroniserTest, AfcAppliesInVhfModeToo) {
  settings.DecVHF = true;
  settings.DecAFC = true;
  tuning.FrequencyError = -20.0;
  PushSymbols({125, 111, 125, 110});
  EXPECT_DOUBLE_EQ(tuning.TrackedCentre, 780.0);
  sync.StopReception();
  EXPECT_DOUBLE_EQ(tuning.TrackedCentre, 800.0);
}

}  // namespace
}  // namespace tolvik
