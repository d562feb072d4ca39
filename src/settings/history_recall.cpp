// The function history as the recall list of the command prompt.
#include "settings/history_recall.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/file_reading.h"
#include "platform/file_system.h"
#include "settings/history.h"

void offerHistoryForRecall(Platform& platform) {
  Result<std::string> content =
      readWholeFile(platform.files(), historyFileName, recalledHistoryFileLimit);
  if (!content.isOk())
    return;
  std::string text = foldLineEnds(std::move(*content));
  std::vector<std::string_view> lines;
  std::string_view rest(text);
  while (!rest.empty()) {
    std::size_t end = rest.find('\n');
    lines.push_back(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  std::size_t first = lines.size() > recalledHistoryLines ? lines.size() - recalledHistoryLines : 0;
  for (std::size_t i = first; i < lines.size(); ++i)
    platform.rememberCommandLine(lines[i]);
}
