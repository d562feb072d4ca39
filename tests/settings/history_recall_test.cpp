#include "settings/history_recall.h"

#include <gtest/gtest.h>

#include "platform/recording_platform.h"
#include "settings/history.h"

// Only the latest lines are offered, and nothing from a missing, odd or
// oversized log.
TEST(OfferHistoryForRecall, OffersOnlyTheLatestLinesOfAnOrdinaryLog) {
  std::string content;
  for (std::size_t i = 0; i < recalledHistoryLines + 5; ++i)
    content += std::to_string(i) + "\r\n";
  RecordingPlatform platform;
  offerHistoryForRecall(platform);
  platform.memoryFiles.makeDirectory(historyFileName);
  offerHistoryForRecall(platform);
  platform.memoryFiles.writeFile(historyFileName, std::string(recalledHistoryFileLimit + 1, 'a'));
  offerHistoryForRecall(platform);
  EXPECT_TRUE(platform.recalledCommandLines.empty());
  platform.memoryFiles.writeFile(historyFileName, content);
  offerHistoryForRecall(platform);
  ASSERT_EQ(platform.recalledCommandLines.size(), recalledHistoryLines);
  EXPECT_EQ(platform.recalledCommandLines.front(), "5");
  EXPECT_EQ(platform.recalledCommandLines.back(), std::to_string(recalledHistoryLines + 4));
}
