#include "settings/history_recall.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialogue.h"
#include "settings/history.h"

namespace {
using Lines = std::vector<std::string>;
}

TEST(OfferHistoryForRecall, OffersOnlyTheLatestLines) {
  ScratchDirectory directory;
  std::string content;
  for (std::size_t i = 0; i < recalledHistoryLines + 5; ++i)
    content += std::to_string(i) + "\n";
  writeFile(historyFileName, content);
  RecordingPlatform platform;
  offerHistoryForRecall(platform);
  ASSERT_EQ(platform.recalledCommandLines.size(), recalledHistoryLines);
  EXPECT_EQ(platform.recalledCommandLines.front(), "5");
  EXPECT_EQ(platform.recalledCommandLines.back(), std::to_string(recalledHistoryLines + 4));
}

TEST(OfferHistoryForRecall, OffersNothingFromAnOversizedOrOddFile) {
  ScratchDirectory directory;
  RecordingPlatform platform;
  offerHistoryForRecall(platform);
  std::filesystem::create_directory(historyFileName);
  offerHistoryForRecall(platform);
  std::filesystem::remove(historyFileName);
  writeFile(historyFileName, std::string(recalledHistoryFileLimit + 1, 'a'));
  offerHistoryForRecall(platform);
  EXPECT_EQ(platform.recalledCommandLines, Lines{});
}
