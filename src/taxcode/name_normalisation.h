// Bringing a typed name to the form the municipality file stores and the
// tax-code letters are taken from.
#pragma once

#include <string>
#include <string_view>

// `text` up to its end or its first line feed or carriage return, with a to z
// in upper case and each accented vowel written as the plain vowel and an
// apostrophe (è as E'). Accented vowels are recognised in upper and lower
// case, both as single Windows-1252 bytes and as UTF-8 pairs. Every other byte
// is copied unchanged, so "Sant'Angelo" gives SANT'ANGELO.
std::string normaliseName(std::string_view text);
