#include "taxcode/municipality_table.h"

#include <gtest/gtest.h>

#include <string>

TEST(NameHash, SumsSignedBytesIntoTheTablesRange) {
  EXPECT_EQ(nameHash(""), 0u);
  EXPECT_EQ(nameHash("ROMA"), 82u + 79 + 77 + 65);
  // 0xE8 counts as -24, as a signed byte.
  EXPECT_EQ(nameHash("\xE8"), 2126u - 24);
  EXPECT_EQ(nameHash("A\xE8"), 65u - 24);
  // Past the last bucket the sum wraps round instead of leaving the table.
  EXPECT_EQ(nameHash(std::string(30, 'Z')), 30u * 90 - 2126);
  EXPECT_EQ(nameHash(std::string(100000, '\x80')), (2126u * 10000 - 12800000) % 2126);
}

TEST(MunicipalityTable, FindsEachNameOfABucketAndTheLastRecordOfAName) {
  MunicipalityTable table;
  // AB and BA share a bucket; so do the later records of DOPPIO.
  table.insert("AB", 'A', 1);
  table.insert("DOPPIO", 'D', 1);
  table.insert("BA", 'B', 2);
  table.insert("DOPPIO", 'D', 2);
  ASSERT_EQ(nameHash("AB"), nameHash("BA"));
  ASSERT_NE(table.find("AB"), nullptr);
  EXPECT_EQ(table.find("AB")->number, 1);
  EXPECT_EQ(table.find("BA")->letter, 'B');
  EXPECT_EQ(table.find("DOPPIO")->number, 2);
  EXPECT_EQ(table.find("ab"), nullptr);
  EXPECT_EQ(table.find("A"), nullptr);
  EXPECT_EQ(table.find(""), nullptr);
  EXPECT_EQ(table.size(), 4u);
}

TEST(MunicipalityTable, ReleaseEmptiesEveryBucketAndKeepsTheLoadedFlag) {
  MunicipalityTable table;
  EXPECT_FALSE(table.loaded());
  for (int i = 0; i < 5000; ++i)
    table.insert("COMUNE " + std::to_string(i), 'C', i);
  table.markLoaded();
  table.release();
  EXPECT_EQ(table.size(), 0u);
  for (int i = 0; i < 5000; ++i)
    EXPECT_EQ(table.find("COMUNE " + std::to_string(i)), nullptr);
  EXPECT_TRUE(table.loaded());
  table.insert("ROMA", 'H', 501);
  EXPECT_EQ(table.find("ROMA")->number, 501);
}
