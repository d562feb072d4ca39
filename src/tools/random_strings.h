// Random codes and passwords: characters drawn one at a time from a stream of
// 32-bit values, each mapped onto an alphabet without favouring any entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "platform/status.h"

inline constexpr std::string_view codeAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
inline constexpr std::string_view passwordAlphabet =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!@#$%^&*()";

// The next value of a stream of uniformly random 32-bit values.
using WordSource = std::function<std::uint32_t()>;
// Fills every byte of the span from a random source; a failure when the
// source cannot.
using BlockFill = std::function<Status(std::span<unsigned char>)>;
// Bytes asked of a BlockFill at a time: one system call per block rather
// than per value is what makes a long password as quick as a code.
inline constexpr std::size_t randomBlockSize = 16 * 1024;

// Receives a drawn string piece by piece, in order; false when it can take
// no more (its output has failed), which ends the drawing.
using PieceSink = std::function<bool(std::string_view)>;

// The longest piece handed to a PieceSink, so that any length is drawn in
// bounded memory.
inline constexpr std::size_t drawPieceSize = 64 * 1024;

// The alphabet index the next usable value stands for: value modulo
// `alphabetSize`, after dropping every value that falls in the last,
// incomplete block of `alphabetSize` values below 2^32.
std::uint32_t drawIndex(const WordSource& nextWord, std::uint32_t alphabetSize);

// Draws `length` characters of `alphabet` (none for a length of 0 or less) and
// hands them to `take` in pieces of at most drawPieceSize bytes, stopping
// early at the first piece `take` refuses.
void drawCharacters(std::string_view alphabet, std::int32_t length, const WordSource& nextWord,
                    const PieceSink& take);

// Codes come from a fresh MT19937 seeded with the low 32 bits of the calendar
// time in seconds: two codes drawn within the same second share a prefix.
void drawCode(std::int32_t length, std::int64_t calendarSeconds, const PieceSink& take);
std::string generateCode(std::int32_t length, std::int64_t calendarSeconds);

// Passwords take every value from `secureWords`, the system's secure random
// source in the program: a seeded engine could yield only 2^32 passwords.
void drawPassword(std::int32_t length, const WordSource& secureWords, const PieceSink& take);
std::string generatePassword(std::int32_t length, const WordSource& secureWords);
// The same with the values read from `secureBlocks` a block at a time, four
// bytes a value in the machine's byte order, each byte used once. A failure
// of the source ends the drawing, the piece being drawn untaken, and is
// returned.
Status drawPassword(std::int32_t length, const BlockFill& secureBlocks, const PieceSink& take);
