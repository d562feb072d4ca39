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
};

inline constexpr std::array<InfoPage, 3> infoPages = {{
    {'1', "Privacy Policy = 1", "/privacy.md"},
    {'2', "Tearm and Conditions = 2", "/terms%20and%20conditions.md"},
    {'3', "Info sul programma = 3", "/programsfile/info"},
}};

// Shows the menu of pages and opens the one chosen, when the network is up.
void runInfoPages(Console& console);
