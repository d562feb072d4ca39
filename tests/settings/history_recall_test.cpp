#include "settings/history_recall.h"

#include <gtest/gtest.h>

#include "platform/recording_platform.h"
#include "settings/history.h"

namespace {
using Lines = std::vector<std::string>;
}

TEST(OfferHistoryForRecall, OffersOnlyTheLatestLines) {
  std::string content;
  for (std::size_t i = 0; i < recalledHistoryLines + 5; ++i)
    content += std::to_string(i) + "\r\n";
  RecordingPlatform platform;
  platform.memoryFiles.writeFile(historyFileName, content);
  offerHistoryForRecall(platform);
  ASSERT_EQ(platform.recalledCommandLines.size(), recalledHistoryLines);
  EXPECT_EQ(platform.recalledCommandLines.front(), "5");
  EXPECT_EQ(platform.recalledCommandLines.back(), std::to_string(recalledHistoryLines + 4));
}

TEST(OfferHistoryForRecall, OffersNothingFromAnOversizedOrOddFile) {
  RecordingPlatform platform;
  offerHistoryForRecall(platform);
  platform.memoryFiles.makeDirectory(historyFileName);
  offerHistoryForRecall(platform);
  platform.memoryFiles.writeFile(historyFileName, std::string(recalledHistoryFileLimit + 1, 'a'));
  offerHistoryForRecall(platform);
  EXPECT_EQ(platform.recalledCommandLines, Lines{});
}
