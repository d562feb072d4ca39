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
  table.load("AB\tA1\nDOPPIO\tD1\nBA\tB2\nDOPPIO\tD2\n");
  ASSERT_EQ(nameHash("AB"), nameHash("BA"));
  ASSERT_TRUE(table.find("AB"));
  EXPECT_EQ(table.find("AB")->number, 1);
  EXPECT_EQ(table.find("BA")->letter, 'B');
  EXPECT_EQ(table.find("DOPPIO")->number, 2);
  EXPECT_FALSE(table.find("ab"));
  EXPECT_FALSE(table.find("A"));
  EXPECT_FALSE(table.find(""));
  EXPECT_EQ(table.size(), 4u);
}

TEST(MunicipalityTable, ReleaseEmptiesEveryBucket) {
  MunicipalityTable table;
  std::string text;
  for (int i = 0; i < 5000; ++i)
    text += "COMUNE " + std::to_string(i) + "\tC" + std::to_string(i) + "\n";
  table.load(text);
  table.release();
  EXPECT_EQ(table.size(), 0u);
  for (int i = 0; i < 5000; ++i)
    EXPECT_FALSE(table.find("COMUNE " + std::to_string(i)));
  table.load("ROMA\tH501\n");
  EXPECT_EQ(table.find("ROMA")->number, 501);
}
