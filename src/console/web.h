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

// True when the program was configured with a site address.
bool siteConfigured();

// Opens the site page at `path` (such as "/feedback") in the browser.
void openWebPage(Console& console, std::string_view path);

// The file address of a page shipped with the program, `page` relative to
// its site folder (such as "privacy.html"): where the program finds it
// installed, else in the build tree.
std::string shippedPageAddress(std::string_view page);

// Hands `address` to the browser; when none can be started, shows it so that
// the user can open it.
void openAddress(Console& console, const std::string& address);
inline constexpr std::string_view openByHandMessage = "Apri questo indirizzo nel browser: ";

// The message for a failed connectivity check.
inline constexpr std::string_view networkErrorMessage = "Errore di rete, collegati e riprova.";
