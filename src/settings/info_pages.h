// The information pages of the product's site: the privacy policy, the terms
// and conditions and the page about the program, opened in the browser.
#pragma once

#include <array>
#include <string_view>

#include "console/console.h"

struct InfoPage {
  char answer;
  std::string_view menuLine;
  // Appended to the site's base address as it stands: already URL-encoded.
  std::string_view path;
  // The copy shipped with the program, within its site folder.
  std::string_view shippedPage;
};

inline constexpr std::array<InfoPage, 3> infoPages = {{
    {'1', "Privacy Policy = 1", "/privacy.md", "privacy.html"},
    {'2', "Tearm and Conditions = 2", "/terms%20and%20conditions.md", "terms and conditions.html"},
    {'3', "Info sul programma = 3", "/programsfile/info", "programsfile/info.html"},
}};

// The page `helpsite` opens when no site address is configured.
inline constexpr std::string_view shippedHelpPage = "programsfile/info.html";

// Shows the menu of pages and opens the one chosen: from the site when one
// is configured and the network is up, else the copy shipped with the
// program.
void runInfoPages(Console& console);
