// The product's web site: the connectivity check and the opening of its pages.
#pragma once

#include <string>
#include <string_view>

#include "console/console.h"

// A well-known public host name whose reachability means "online".
inline constexpr std::string_view publicHost = "example.com";

// Scheme and host of the product's site, fixed when the program is configured.
std::string_view siteBaseAddress();

bool checkConnectivity(Console& console);

// Opens the site page at `path` (such as "/feedback") in the browser.
void openWebPage(Console& console, std::string_view path);

// The message for a failed connectivity check.
inline constexpr std::string_view networkErrorMessage = "Errore di rete, collegati e riprova.";
