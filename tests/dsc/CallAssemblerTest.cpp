#include "dsc/CallAssembler.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dsc/DscEncoder.h"
#include "dsc/DscSymbols.h"
#include "dsc/ReceptionStatusTexts.h"
#include "support/RecordingSinks.h"

namespace tolvik {
namespace {

using testing::CountingReceptionControl;
using testing::RecordingCallSink;
using testing::RecordingReceptionObserver;
using testing::RecordingStatusSink;
using Ends = std::vector<ReceptionEnd>;

// The individual call of the worked example: format twice, address,
// category, self-identity, telecommands 100 and 126, VHF channel 16 and an
// empty second frequency, end of sequence 117.
const std::vector<std::uint8_t> kWorkedExample = {
    120, 120, 21, 12, 34, 56, 0, 100, 36, 61, 23, 45, 0, 100, 126, 90, 0, 16, 126, 126, 126, 117};
constexpr int kWorkedExampleCheck = 103;

class CallAssemblerTest : public ::testing::Test {
 protected:
  void Step(int dx, int rx) { assembler.CharacterStep(dx, rx); }
  void Steps(const std::vector<std::uint8_t>& characters) {
    for (int c : characters) {
      Step(c, c);
    }
  }
  // Phasing remains, the characters, the check character.
  void SendSequence(const std::vector<std::uint8_t>& characters, int check) {
    Steps(characters);
    Step(check, check);
  }
  // What follows a call without an expansion sequence: the trailing DX end
  // of sequence over whatever the RX position holds after the call.
  void SendPlainTail() {
    Step(127, kDamagedSymbol);
    Step(127, kDamagedSymbol);
  }

  CountingReceptionControl reception;
  RecordingStatusSink status;
  RecordingReceptionObserver receptions;
  ReceptionStatusTexts status_texts{status, &receptions};
  RecordingCallSink calls;
  bool enhanced_position = false;
  CallAssembler assembler{reception, status_texts, calls, enhanced_position};
};

TEST_F(CallAssemblerTest, WorkedExampleHasCheckCharacter103AndIsHandedOnTwoStepsLater) {
  EXPECT_EQ(CallCheckCharacter(kWorkedExample), kWorkedExampleCheck);
  assembler.Reset();
  for (int i = 0; i < 6; ++i) {
    Step(125, 109 - i);  // the DX phasing symbols still in the window
  }
  SendSequence(kWorkedExample, kWorkedExampleCheck);
  EXPECT_TRUE(calls.calls.empty());
  EXPECT_TRUE(assembler.PrimaryVerified());  // checked; now the look-ahead
  Step(117, 5);
  EXPECT_TRUE(calls.calls.empty());
  Step(117, 5);
  ASSERT_EQ(calls.calls.size(), 1u);
  EXPECT_EQ(reception.stops, 1);

  const DscCall& call = assembler.Call();
  ASSERT_EQ(call.Primary.Count, 22);
  EXPECT_TRUE(
      std::equal(kWorkedExample.begin(), kWorkedExample.end(), call.Primary.Symbols.begin()));
  EXPECT_EQ(call.Expansion.Count, 0);
  EXPECT_EQ(calls.calls[0].Ack, "Req");
  EXPECT_EQ(calls.calls[0].Kind, DistressKind::None);
  EXPECT_EQ(status.Last(), "");
  EXPECT_EQ(receptions.starts, 1);
  EXPECT_EQ(receptions.ends, Ends{ReceptionEnd::Completed});
}

TEST_F(CallAssemblerTest, DxCopyWinsAndRxCopyStandsInForAFailedDx) {
  assembler.Reset();
  Step(120, 7);               // DX valid: RX is ignored even when it differs
  Step(kDamagedSymbol, 120);  // DX failed: RX used
  Step(55, kDamagedSymbol);
  EXPECT_EQ(assembler.Call().Primary.Count, 3);
  EXPECT_EQ(assembler.Call().Primary.Symbols[0], 120);
  EXPECT_EQ(assembler.Call().Primary.Symbols[1], 120);
  EXPECT_EQ(assembler.Call().Primary.Symbols[2], 55);
  EXPECT_EQ(reception.stops, 0);

  Step(kDamagedSymbol, kDamagedSymbol);
  EXPECT_EQ(reception.stops, 1);
  EXPECT_EQ(status.Last(), "Data error...");
  EXPECT_TRUE(calls.calls.empty());
}

TEST_F(CallAssemblerTest, PhasingSymbolIsSkippedBeforeEndOfSequenceButIsAValidCheckCharacter) {
  // A call whose check character comes out as 125: the filler character is
  // chosen so that the exclusive-or of the call (format counted once) is 125.
  std::vector<std::uint8_t> call = {120, 120, 1, 0, 127};
  call[3] = static_cast<std::uint8_t>(125 ^ CallCheckCharacter(call));
  ASSERT_EQ(CallCheckCharacter(call), 125);
  ASSERT_FALSE(IsEndOfSequence(call[3]));

  assembler.Reset();
  Step(120, 120);
  Step(125, 125);  // skipped: neither stored nor checked
  for (std::size_t i = 1; i < call.size(); ++i) {
    Step(call[i], call[i]);
  }
  EXPECT_EQ(assembler.Call().Primary.Count, 5);
  Step(125, 125);  // after end of sequence, 125 is the check character
  SendPlainTail();
  EXPECT_EQ(calls.calls.size(), 1u);
}

TEST_F(CallAssemblerTest, WrongCheckCharacterEndsWithParityError) {
  assembler.Reset();
  SendSequence(kWorkedExample, kWorkedExampleCheck ^ 1);
  EXPECT_EQ(reception.stops, 1);
  EXPECT_EQ(status.Last(), "Parity error...");
  SendPlainTail();
  EXPECT_TRUE(calls.calls.empty());
}

TEST_F(CallAssemblerTest, DifferingFormatCopiesCheckTheSecondAndCompleteWithTheFirst) {
  std::vector<std::uint8_t> call = kWorkedExample;
  call[0] = 116;  // first copy 116, second copy 120
  std::uint8_t all_counted = 0;
  for (std::uint8_t c : call) {
    all_counted ^= c;
  }
  const std::uint8_t second_counted = all_counted ^ 116;
  ASSERT_EQ(second_counted, kWorkedExampleCheck);  // the first copy does not count

  assembler.Reset();
  SendSequence(call, second_counted);
  SendPlainTail();
  ASSERT_EQ(calls.calls.size(), 1u);
  EXPECT_FALSE(status.Showed("DSC format error..."));
  EXPECT_EQ(assembler.Call().Primary.Symbols[0], 116);

  // A check counting the first copy instead is wrong.
  assembler.Reset();
  SendSequence(call, all_counted ^ 120);
  EXPECT_EQ(status.Last(), "Parity error...");
}

TEST_F(CallAssemblerTest, UnacceptedFormatIsRefusedAfterAGoodCheck) {
  for (int format : {100, 104, 113, 121, 127}) {
    std::vector<std::uint8_t> call = {static_cast<std::uint8_t>(format),
                                      static_cast<std::uint8_t>(format), 1, 2, 127};
    status.shown.clear();
    assembler.Reset();
    SendSequence(call, CallCheckCharacter(call));
    SendPlainTail();
    EXPECT_EQ(status.Last(), "DSC format error...") << format;
  }
  EXPECT_TRUE(calls.calls.empty());
}

TEST_F(CallAssemblerTest, DistressAlertFormatSetsCategoryAndAlertKind) {
  const std::vector<std::uint8_t> call = {112, 112, 21, 12, 34, 56, 0,   107, 3,
                                          54,  11,  39, 45, 12, 30, 100, 127};
  assembler.Reset();
  SendSequence(call, CallCheckCharacter(call));
  SendPlainTail();
  ASSERT_EQ(calls.calls.size(), 1u);
  EXPECT_EQ(calls.calls[0].Category, "Distress");
  EXPECT_EQ(calls.calls[0].Kind, DistressKind::Alert);
  EXPECT_EQ(calls.calls[0].Ack, "");  // end of sequence 127
}

TEST_F(CallAssemblerTest, AckColumnFollowsTheStoredEndOfSequence) {
  const std::pair<int, const char*> cases[] = {{117, "Req"}, {122, "Ack"}, {127, ""}};
  for (const auto& [eos, ack] : cases) {
    std::vector<std::uint8_t> call = kWorkedExample;
    call.back() = static_cast<std::uint8_t>(eos);
    assembler.Reset();
    SendSequence(call, CallCheckCharacter(call));
    SendPlainTail();
    ASSERT_FALSE(calls.calls.empty());
    EXPECT_EQ(calls.calls.back().Ack, ack) << eos;
  }
}

TEST_F(CallAssemblerTest, SequenceOf127IsAcceptedAnd128EndsWithDataSizeError) {
  std::vector<std::uint8_t> longest(126, 7);
  longest[0] = longest[1] = 120;
  longest.push_back(127);
  ASSERT_EQ(longest.size(), 127u);
  assembler.Reset();
  SendSequence(longest, CallCheckCharacter(longest));
  SendPlainTail();
  ASSERT_EQ(calls.calls.size(), 1u);
  EXPECT_EQ(assembler.Call().Primary.Count, 127);

  assembler.Reset();
  reception.stops = 0;
  std::vector<std::uint8_t> too_long(128, 7);
  Steps(too_long);
  EXPECT_EQ(reception.stops, 1);
  EXPECT_EQ(status.Last(), "Data size error...");
  EXPECT_EQ(assembler.Call().Primary.Count, 128);
  // Were the reception not stopped, further characters still must not be
  // written past the end of the sequence.
  Steps({7, 7});
  EXPECT_EQ(assembler.Call().Primary.Count, 128);
  EXPECT_EQ(calls.calls.size(), 1u);
}

TEST_F(CallAssemblerTest, LookAheadNeedsEndOfSequenceOver126AtBothSteps) {
  struct Case {
    std::pair<int, int> first;
    std::pair<int, int> second;
    bool expansion;
  };
  const Case cases[] = {
      {{117, 126}, {122, 126}, true},
      {{127, 126}, {127, 126}, true},
      {{117, 126}, {117, 5}, false},
      {{117, 5}, {117, 126}, false},
      {{100, 126}, {117, 126}, false},
      {{kDamagedSymbol, 126}, {117, 126}, false},
      {{117, kDamagedSymbol}, {117, 126}, false},
  };
  for (const Case& c : cases) {
    calls.calls.clear();
    reception.stops = 0;
    assembler.Reset();
    SendSequence(kWorkedExample, kWorkedExampleCheck);
    Step(c.first.first, c.first.second);
    Step(c.second.first, c.second.second);
    if (c.expansion) {
      EXPECT_TRUE(calls.calls.empty());
      EXPECT_EQ(reception.stops, 0);
      // The characters that follow are the expansion sequence.
      const std::vector<std::uint8_t> expansion = {100, 12, 34, 56, 78, 117};
      SendSequence(expansion, ExpansionCheckCharacter(expansion));
      EXPECT_EQ(calls.calls.size(), 1u);
      EXPECT_EQ(assembler.Call().Expansion.Count, 6);
    } else {
      // Damaged symbols in the look-ahead are no data error: the call goes on.
      EXPECT_EQ(calls.calls.size(), 1u);
      EXPECT_EQ(reception.stops, 1);
    }
  }
}

TEST_F(CallAssemblerTest, ExpansionSequenceIsStoredAndCheckedOnItsOwn) {
  const std::vector<std::uint8_t> expansion = {100, 12, 34, 56, 78, 117};
  assembler.Reset();
  SendSequence(kWorkedExample, kWorkedExampleCheck);
  Step(117, 126);
  Step(117, 126);
  SendSequence(expansion, ExpansionCheckCharacter(expansion));
  ASSERT_EQ(calls.calls.size(), 1u);
  EXPECT_EQ(reception.stops, 1);
  EXPECT_EQ(assembler.Call().Primary.Count, 22);
  ASSERT_EQ(assembler.Call().Expansion.Count, 6);
  EXPECT_TRUE(
      std::equal(expansion.begin(), expansion.end(), assembler.Call().Expansion.Symbols.begin()));
  EXPECT_EQ(calls.calls[0].Ack, "Req");
  EXPECT_EQ(status.Last(), "");
}

TEST_F(CallAssemblerTest, ExpansionWithWrongCheckIsStillHandedOnSilently) {
  const std::vector<std::uint8_t> expansion = {100, 12, 34, 56, 78, 117};
  assembler.Reset();
  SendSequence(kWorkedExample, kWorkedExampleCheck);
  Step(117, 126);
  Step(117, 126);
  SendSequence(expansion, ExpansionCheckCharacter(expansion) ^ 0x40);
  ASSERT_EQ(calls.calls.size(), 1u);
  EXPECT_EQ(assembler.Call().Expansion.Count, 6);
  EXPECT_EQ(status.Last(), "");
}

TEST_F(CallAssemblerTest, LostExpansionCharacterStillHandsOnTheCheckedCall) {
  assembler.Reset();
  SendSequence(kWorkedExample, kWorkedExampleCheck);
  Step(117, 126);
  Step(117, 126);
  Steps({100, 12});
  Step(kDamagedSymbol, kDamagedSymbol);
  ASSERT_EQ(calls.calls.size(), 1u);
  EXPECT_EQ(reception.stops, 1);
  EXPECT_EQ(assembler.Call().Expansion.Count, 2);
  EXPECT_EQ(status.Last(), "Data error...");  // the damage is still reported
}

TEST_F(CallAssemblerTest, FinishInputHandsOnOnlyACheckedCall) {
  assembler.Reset();
  Steps(kWorkedExample);  // no check character yet
  assembler.FinishInput();
  EXPECT_TRUE(calls.calls.empty());
  EXPECT_EQ(reception.stops, 0);

  Step(kWorkedExampleCheck, kWorkedExampleCheck);
  assembler.FinishInput();
  ASSERT_EQ(calls.calls.size(), 1u);
  EXPECT_EQ(reception.stops, 1);
  assembler.FinishInput();  // only once
  EXPECT_EQ(calls.calls.size(), 1u);

  // Cut off inside an expansion sequence: the call goes on with the
  // expansion characters received so far.
  assembler.Reset();
  SendSequence(kWorkedExample, kWorkedExampleCheck);
  Step(117, 126);
  Step(117, 126);
  Steps({100, 12, 34});
  assembler.FinishInput();
  ASSERT_EQ(calls.calls.size(), 2u);
  EXPECT_EQ(assembler.Call().Expansion.Count, 3);

  // A call already handed on is not handed on again.
  assembler.Reset();
  SendSequence(kWorkedExample, kWorkedExampleCheck);
  SendPlainTail();
  assembler.FinishInput();
  EXPECT_EQ(calls.calls.size(), 3u);
}

TEST_F(CallAssemblerTest, AbandonEmptiesBothSequencesWithoutAMessage) {
  assembler.Reset();
  Steps(kWorkedExample);  // the end of sequence is stored: the check character is due
  assembler.Abandon();
  EXPECT_EQ(assembler.Call().Primary.Count, 0);
  EXPECT_EQ(assembler.Call().Expansion.Count, 0);
  // No check character is awaited any more: a 125 is skipped as phasing
  // instead of failing as a check character.
  Step(125, 125);
  EXPECT_EQ(assembler.Call().Primary.Count, 0);
  EXPECT_EQ(reception.stops, 0);  // the synchroniser ends an abandoned reception itself

  // A call abandoned in its look-ahead is not completed by a later end of
  // input either.
  assembler.Reset();
  SendSequence(kWorkedExample, kWorkedExampleCheck);
  assembler.Abandon();
  assembler.FinishInput();
  EXPECT_TRUE(calls.calls.empty());
  EXPECT_TRUE(status.shown.empty());

  // Only an open reception is reported abandoned.
  assembler.Abandon();
  EXPECT_EQ(receptions.ends, (Ends{ReceptionEnd::Abandoned, ReceptionEnd::Abandoned}));
}

TEST_F(CallAssemblerTest, EveryEndIsReportedWithTheStatusTextsItShows) {
  using Texts = std::vector<std::string>;
  const auto texts_since = [&](std::size_t first) {
    Texts out;
    for (std::size_t i = first; i < status.shown.size(); ++i) {
      EXPECT_EQ(status.shown[i].first, StatusPanel::Decoder);
      out.push_back(status.shown[i].second);
    }
    return out;
  };
  const auto start = [&] {
    receptions.ends.clear();
    assembler.Reset();
    return status.shown.size();
  };
  const std::vector<std::uint8_t> bad_format = {121, 121, 1, 2, 127};
  const std::vector<std::uint8_t> expansion = {100, 12, 34, 56, 78, 117};
  {
    SCOPED_TRACE("lost character");
    const std::size_t first = start();
    Steps({120, 120});
    Step(kDamagedSymbol, kDamagedSymbol);
    EXPECT_EQ(receptions.ends, Ends{ReceptionEnd::DataError});
    EXPECT_EQ(texts_since(first), Texts{"Data error..."});
  }
  {
    SCOPED_TRACE("wrong check character");
    const std::size_t first = start();
    SendSequence(kWorkedExample, kWorkedExampleCheck ^ 1);
    EXPECT_EQ(receptions.ends, Ends{ReceptionEnd::ParityError});
    EXPECT_EQ(texts_since(first), Texts{"Parity error..."});
  }
  {
    SCOPED_TRACE("128 characters");
    const std::size_t first = start();
    Steps(std::vector<std::uint8_t>(128, 7));
    EXPECT_EQ(receptions.ends, Ends{ReceptionEnd::DataSizeError});
    EXPECT_EQ(texts_since(first), Texts{"Data size error..."});
  }
  {
    SCOPED_TRACE("format not accepted");
    const std::size_t first = start();
    SendSequence(bad_format, CallCheckCharacter(bad_format));
    SendPlainTail();
    EXPECT_EQ(receptions.ends, Ends{ReceptionEnd::FormatError});
    EXPECT_EQ(texts_since(first), (Texts{"", "DSC format error..."}));
  }
  {
    SCOPED_TRACE("expansion sequence received");
    const std::size_t first = start();
    SendSequence(kWorkedExample, kWorkedExampleCheck);
    Step(117, 126);
    Step(117, 126);
    SendSequence(expansion, ExpansionCheckCharacter(expansion));
    EXPECT_EQ(receptions.ends, Ends{ReceptionEnd::Completed});
    EXPECT_EQ(texts_since(first), Texts{""});
  }
  {
    SCOPED_TRACE("checked call, then a lost expansion character");
    const std::size_t first = start();
    SendSequence(kWorkedExample, kWorkedExampleCheck);
    Step(117, 126);
    Step(117, 126);
    Step(kDamagedSymbol, kDamagedSymbol);
    EXPECT_EQ(receptions.ends, (Ends{ReceptionEnd::Completed, ReceptionEnd::DataError}));
    EXPECT_EQ(texts_since(first), (Texts{"", "Data error..."}));
  }
  {
    SCOPED_TRACE("end of input in the look-ahead");
    const std::size_t first = start();
    SendSequence(kWorkedExample, kWorkedExampleCheck);
    assembler.FinishInput();
    EXPECT_EQ(receptions.ends, (Ends{ReceptionEnd::Completed, ReceptionEnd::EndOfInput}));
    EXPECT_EQ(texts_since(first), Texts{""});
  }
  {
    SCOPED_TRACE("end of input after a checked call of a refused format");
    const std::size_t first = start();
    SendSequence(bad_format, CallCheckCharacter(bad_format));
    assembler.FinishInput();
    EXPECT_EQ(receptions.ends, (Ends{ReceptionEnd::FormatError, ReceptionEnd::EndOfInput}));
    EXPECT_EQ(texts_since(first), (Texts{"", "DSC format error..."}));
  }
  EXPECT_EQ(receptions.starts, 8);
}

// The user sees the same texts as ever, whoever reports the end.
TEST(ReceptionStatusTextsTest, EachEndShowsItsFixedTextsInTheDecoderPanel) {
  using Texts = std::vector<std::string>;
  const std::pair<ReceptionEnd, Texts> cases[] = {
      {ReceptionEnd::ParityError, {"Parity error..."}},
      {ReceptionEnd::DataError, {"Data error..."}},
      {ReceptionEnd::DataSizeError, {"Data size error..."}},
      {ReceptionEnd::FormatError, {"", "DSC format error..."}},
      {ReceptionEnd::Completed, {""}},
      {ReceptionEnd::Abandoned, {}},
      {ReceptionEnd::EndOfInput, {}},
  };
  for (const auto& [end, expected] : cases) {
    RecordingStatusSink status;
    RecordingReceptionObserver next;
    ReceptionStatusTexts texts(status, &next);
    texts.ReceptionStarted();
    texts.ReceptionEnded(end);
    Texts shown;
    for (const auto& [panel, text] : status.shown) {
      EXPECT_EQ(panel, StatusPanel::Decoder);
      shown.push_back(text);
    }
    EXPECT_EQ(shown, expected) << static_cast<int>(end);
    EXPECT_EQ(next.starts, 1);
    EXPECT_EQ(next.ends, Ends{end});
  }
  // Without a further observer the texts are shown all the same.
  RecordingStatusSink status;
  ReceptionStatusTexts texts(status);
  texts.ReceptionEnded(ReceptionEnd::ParityError);
  EXPECT_EQ(status.Last(), "Parity error...");
}

}  // namespace
}  // namespace tolvik
