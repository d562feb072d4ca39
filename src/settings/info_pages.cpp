// The information pages menu.
#include "settings/info_pages.h"

#include <string>

#include "console/input.h"
#include "console/web.h"

namespace {
const InfoPage* findPage(char answer) {
  for (const InfoPage& page : infoPages) {
    if (page.answer == answer)
      return &page;
  }
  return nullptr;
}
}  // namespace

void runInfoPages(Console& console) {
  std::ostream& out = console.out;
  out << std::endl << "Info:" << std::endl << std::endl;
  for (const InfoPage& page : infoPages)
    out << page.menuLine << std::endl;
  out << std::endl << inputPrompt;
  std::string answer;
  readLine(console.in, answer);
  if (!isOneCharAnswer(answer)) {
    out << std::endl << std::endl << invalidFunctionMessage << std::endl << std::endl;
    return;
  }
  if (!siteConfigured()) {
    const InfoPage* page = findPage(answer[0]);
    if (!page) {
      out << std::endl << invalidFunctionMessage << std::endl << std::endl;
      return;
    }
    openAddress(console, shippedPageAddress(page->shippedPage));
    return;
  }
  // The network is checked before the answer is looked at: an unknown answer
  // pings too.
  if (!checkConnectivity(console)) {
    out << std::endl << std::endl << networkErrorMessage << std::endl << std::endl;
    return;
  }
  const InfoPage* page = findPage(answer[0]);
  if (!page) {
    out << std::endl << invalidFunctionMessage << std::endl << std::endl;
    return;
  }
  openWebPage(console, page->path);
}
