#include "outputs/NmeaOutput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dsc/DscEncoder.h"

namespace tolvik {
namespace {

struct RecordingSink final : SentenceSink {
  void SendSentence(std::string_view sentence) override { sent.emplace_back(sentence); }
  std::vector<std::string> sent;
};

// A written call as the receiver hands it over, from the characters sent.
class Written {
 public:
  Written(const Characters& primary, const Characters& expansion) {
    std::copy(primary.begin(), primary.end(), symbols_.Primary.Symbols.begin());
    symbols_.Primary.Count = static_cast<int>(primary.size());
    std::copy(expansion.begin(), expansion.end(), symbols_.Expansion.Symbols.begin());
    symbols_.Expansion.Count = static_cast<int>(expansion.size());
  }
  WrittenCall Call() const {
    return {symbols_, row_, DistressKind::Alert, CallDecoder::Standard, 0};
  }

 private:
  DscCall symbols_;
  ReceiveEntry row_;
};

DscMessage RadioDistressAlert() {
  DscMessage alert;
  alert.FormatSpecifier = kFormatDistress;
  alert.Distress = DscDistressInfo{"338040079", kNatureDisabledAndAdrift,
                                   DscPosition{1, 42, 31, 83, 12}, DscTime{20, 19}, 100};
  alert.Enhancement = DscEnhancedPosition{4589, 4494};
  return alert;
}

TEST(NmeaOutputTest, EverySinkGetsTheCallAndItsExpansionInOrder) {
  const Written alert(BuildCallCharacters(RadioDistressAlert()),
                      *BuildExpansionCharacters(RadioDistressAlert()));
  RecordingSink first;
  RecordingSink second;
  NmeaOutput output;
  EXPECT_FALSE(output.HasSinks());
  output.AddSink(first);
  output.AddSink(second);
  output.CallWritten(alert.Call());
  const std::vector<std::string> expected{
      "$CDDSC,12,3380400790,12,06,00,1423108312,2019,,,S,E*6A\r\n",
      "$CDDSE,1,1,A,3380400790,00,45894494*1B\r\n"};
  EXPECT_EQ(first.sent, expected);
  EXPECT_EQ(second.sent, expected);
}

TEST(NmeaOutputTest, ACallWithoutExpansionIsOneSentence) {
  DscMessage alert = RadioDistressAlert();
  alert.Enhancement.reset();
  const Written written(BuildCallCharacters(alert), {});
  RecordingSink sink;
  NmeaOutput output;
  output.AddSink(sink);
  output.CallWritten(written.Call());
  ASSERT_EQ(sink.sent.size(), 1u);
  EXPECT_TRUE(sink.sent[0].starts_with("$CDDSC,12,3380400790,12,06,00,1423108312,2019,,,S,*"));
}

}  // namespace
}  // namespace tolvik
