#include "dsc/SymbolSynchroniser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dsc/DecoderOptionValues.h"
#include "dsc/DscEncoder.h"
#include "dsc/DscSymbolCode.h"
#include "support/RecordingSinks.h"

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
  // Pushes bits until the next character step arrives; how many it took.
  int BitsUntilNextStep() {
    const std::size_t steps_before = characters.steps.size();
    for (int bits = 1; bits <= 2 * SymbolSynchroniser::kBitsPerCharacterStep; ++bits) {
      sync.PushBit(0);
      if (characters.steps.size() != steps_before) {
        return bits;
      }
    }
    return -1;
  }

  DecoderOptionValues options;
  ChannelTuning tuning;
  RecordingStatusSink status;
  RecordingCharacterSink characters;
  SymbolSynchroniser sync{options, tuning, status, characters};
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
    SymbolSynchroniser fresh{options, tuning, status, characters};
    for (std::uint8_t bit : EncodeSymbols(std::vector<int>{125, rx, 0, 0}, kShortDotPatternBits)) {
      fresh.PushBit(bit);
    }
    EXPECT_TRUE(fresh.Phased()) << rx;
  }
  for (int rx : {103, 112, 125}) {
    SymbolSynchroniser fresh{options, tuning, status, characters};
    for (std::uint8_t bit : EncodeSymbols(std::vector<int>{125, rx, 0, 0}, kShortDotPatternBits)) {
      fresh.PushBit(bit);
    }
    EXPECT_FALSE(fresh.Phased()) << rx;
  }
}

TEST_F(SymbolSynchroniserTest, LocksExactlyWhenThePairReachesSlotsThreeAndTwo) {
  PushSymbols({125, 111, 125});
  EXPECT_FALSE(sync.Phased());
  const SymbolBitArray next = SymbolBits(110);
  for (int i = 0; i < kBitsPerSymbol - 1; ++i) {
    sync.PushBit(next[i]);
  }
  EXPECT_FALSE(sync.Phased());
  sync.PushBit(next[kBitsPerSymbol - 1]);
  EXPECT_TRUE(sync.Phased());
  EXPECT_EQ(characters.resets, 1);
  EXPECT_TRUE(characters.steps.empty());
  EXPECT_EQ(BitsUntilNextStep(), 20);  // the count starts at the locking bit
}

TEST_F(SymbolSynchroniserTest, DamagedPhasingSymbolsAreNotRecognised) {
  PushSymbols({kDamagedSymbol, 111, 0, 0, 125, kDamagedSymbol, 0, 0});
  EXPECT_FALSE(sync.Phased());
  EXPECT_TRUE(status.shown.empty());  // nothing is reported while searching
}

TEST_F(SymbolSynchroniserTest, InvertedPhasingNeedsAutomaticPolarity) {
  options.SetAutomaticPolarity(false);
  PushInvertedSymbols({125, 111, 125, 110});
  EXPECT_FALSE(sync.Phased());
  EXPECT_FALSE(options.Inverted());

  options.SetAutomaticPolarity(true);
  PushInvertedSymbols({125, 111, 125, 110});
  EXPECT_TRUE(sync.Phased());
  EXPECT_TRUE(options.Inverted());
  // The stored bits were put right: the window now reads the true symbols.
  EXPECT_EQ(sync.ReadSymbol(3), 125);
  EXPECT_EQ(sync.ReadSymbol(2), 111);
}

TEST_F(SymbolSynchroniserTest, InvertedRuleIsNotTriedOnTrueDxPhasing) {
  // 125 followed by 16 (the inverted image of 111): the ordinary rule sees
  // no RX phasing symbol, and the inverted rule only applies to a 2.
  PushSymbols({125, 16, 0, 0});
  EXPECT_FALSE(sync.Phased());
  EXPECT_FALSE(options.Inverted());
}

TEST_F(SymbolSynchroniserTest, WithPolaritySetInvertedBitsLockByTheOrdinaryRule) {
  options.SetInverted(true);
  PushInvertedSymbols({125, 111, 125, 110});
  EXPECT_TRUE(sync.Phased());
  EXPECT_TRUE(options.Inverted());  // no toggle: the ordinary rule found it
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
  // The last bit of the stream made a step: the next one is 20 bits away.
  EXPECT_EQ(BitsUntilNextStep(), 20);
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
    options.SetMode(c.vhf ? DecoderMode::Vhf : DecoderMode::Hf);
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
  options.SetAutomaticFrequencyControl(true);
  PushSymbols({125, 111, 125, 110});
  ASSERT_TRUE(sync.Phased());
  EXPECT_DOUBLE_EQ(tuning.TrackedCentre, 802.5);
  sync.StopReception();
  EXPECT_FALSE(sync.Phased());
  EXPECT_DOUBLE_EQ(tuning.TrackedCentre, 790.0);

  // Without AFC phasing leaves the centre alone, but the end of the
  // reception still puts it back to the user's centre.
  options.SetAutomaticFrequencyControl(false);
  tuning.TrackedCentre = 805.0;
  PushSymbols({125, 111, 125, 110});
  ASSERT_TRUE(sync.Phased());
  EXPECT_DOUBLE_EQ(tuning.TrackedCentre, 805.0);
  sync.StopReception();
  EXPECT_DOUBLE_EQ(tuning.TrackedCentre, 790.0);
}

TEST_F(SymbolSynchroniserTest, AbandonEndsTheReceptionLikeAnyOtherEnd) {
  tuning.CentreFrequency = 790.0;
  tuning.TrackedCentre = 790.0;
  tuning.FrequencyError = 12.5;
  PushSymbols({125, 111, 125, 110});
  ASSERT_TRUE(sync.Phased());
  ASSERT_DOUBLE_EQ(tuning.TrackedCentre, 802.5);

  sync.AbandonReception();
  EXPECT_EQ(characters.abandons, 1);
  EXPECT_FALSE(sync.Phased());
  // The correction belonged to the dropped call.
  EXPECT_DOUBLE_EQ(tuning.TrackedCentre, 790.0);
  EXPECT_EQ(status.shown.size(), 1u);  // only the "Receiving data..." of the phasing

  // While searching there is no reception to end and the centre stays; the
  // sink is still told to forget its call.
  tuning.TrackedCentre = 795.0;
  sync.AbandonReception();
  EXPECT_EQ(characters.abandons, 2);
  EXPECT_DOUBLE_EQ(tuning.TrackedCentre, 795.0);

  // The next phasing is received as usual.
  tuning.TrackedCentre = 790.0;
  PushSymbols({0, 0, 0, 0, 0, 0, 125, 111, 125, 110});
  EXPECT_TRUE(sync.Phased());
  EXPECT_EQ(characters.resets, 2);
  EXPECT_EQ(BitsUntilNextStep(), 20);
}

TEST_F(SymbolSynchroniserTest, AfcAppliesInVhfModeToo) {
  options.SetMode(DecoderMode::Vhf);
  options.SetAutomaticFrequencyControl(true);
  tuning.FrequencyError = -20.0;
  PushSymbols({125, 111, 125, 110});
  EXPECT_DOUBLE_EQ(tuning.TrackedCentre, 780.0);
  sync.StopReception();
  EXPECT_DOUBLE_EQ(tuning.TrackedCentre, 800.0);
}

}  // namespace
}  // namespace tolvik
