#include "settings/SettingsKeys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <variant>

namespace tolvik {
namespace {

// The writer empties a section when it starts on it: a section whose keys
// were split in two would lose its first part.
TEST(SettingsKeysTest, EachSectionStandsTogetherAndNoKeyComesTwice) {
  std::set<std::string> finished_sections;
  std::set<std::string> keys;
  std::string section;
  for (const SettingKey& key : kSettingKeys) {
    if (key.Section != section) {
      EXPECT_TRUE(finished_sections.insert(section).second) << "section " << key.Section;
      section = key.Section;
    }
    EXPECT_TRUE(keys.insert(section + "/" + key.Key).second) << "key " << key.Key;
  }
  EXPECT_FALSE(finished_sections.contains(section)) << "section " << section;
}

TEST(SettingsKeysTest, EveryColumnWidthHasItsKeyInColumnOrder) {
  std::size_t next_column = 0;
  for (const SettingKey& key : kSettingKeys) {
    if (const auto* width = std::get_if<ColumnWidthField>(&key.Field)) {
      EXPECT_EQ(width->Column, next_column);
      EXPECT_EQ(std::string(key.Key), "ColumnsWidth" + std::to_string(next_column));
      ++next_column;
    }
  }
  EXPECT_EQ(next_column, ListColumnWidths::kColumnCount);
}

// A range that a default lies outside would change the default on every load.
TEST(SettingsKeysTest, EveryDefaultLiesInItsRange) {
  const AppSettings defaults;
  for (const SettingKey& key : kSettingKeys) {
    if (!key.Range) {
      continue;
    }
    const auto* member = std::get_if<int AppSettings::*>(&key.Field);
    ASSERT_NE(member, nullptr) << key.Key;
    EXPECT_GE(defaults.*(*member), key.Range->Lowest) << key.Key;
    EXPECT_LE(defaults.*(*member), key.Range->Highest) << key.Key;
  }
}

}  // namespace
}  // namespace tolvik
