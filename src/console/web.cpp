// The product's web site: the connectivity check and the opening of its pages.
#include "console/web.h"

// KALVEX_SITE_URL comes from the build configuration.
std::string_view siteBaseAddress() { return KALVEX_SITE_URL; }

bool checkConnectivity(Console& console) { return console.platform.isReachable(publicHost); }

void openWebPage(Console& console, std::string_view path) {
  console.platform.openPage(std::string(siteBaseAddress()) + std::string(path));
}
