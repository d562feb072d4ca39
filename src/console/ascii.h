// Characters classified by ASCII alone, whatever the locale or the
// signedness of char: a byte above 0x7F is never a letter, digit or blank.
#pragma once

constexpr bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool isAsciiLower(char c) { return c >= 'a' && c <= 'z'; }
constexpr bool isAsciiUpper(char c) { return c >= 'A' && c <= 'Z'; }
constexpr bool isAsciiLetter(char c) { return isAsciiLower(c) || isAsciiUpper(c); }

// White space as the C library's isspace sees it in the "C" locale: blank,
// tab, line feed, vertical tab, form feed, carriage return.
constexpr bool isAsciiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
