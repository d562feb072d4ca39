// The municipality file risorsa.cf.txt: its record format, and where the
// program finds it.
//
// A record is a name up to a TAB, the letter byte right after the TAB, a
// number as `%d` reads it (blanks, an optional sign, digits), then any run of
// white space; several records may share a line or be split across lines.
#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "taxcode/municipality_table.h"

inline constexpr std::string_view municipalityFileName = "risorsa.cf.txt";

// Far beyond the real list (about 230 KB), yet bounded.
inline constexpr std::size_t municipalityFileLimit = 64 * 1024 * 1024;

// Makes the records of `text`, a whole file with its CR LF pairs already
// folded, `table`'s. A last record cut short (no TAB, or nothing after it)
// and a record without a readable number, or one beyond 32 bits, are
// skipped.
void addMunicipalityRecords(std::string_view text, MunicipalityTable& table);

// The directories holding the file that ships with the program: next to an
// installed executable, then the build tree's copy.
std::vector<std::filesystem::path> shippedDataDirectories();

// The table of risorsa.cf.txt, read through `files`, in the working directory
// or, when that is absent, in the first of `dataDirectories` that has one. A
// directory, FIFO or unreadable file counts as absent; a working directory's
// file too large to load does not, and is the failure returned. A failure
// also when no file could be read.
Result<MunicipalityTable> loadMunicipalities(
    FileSystem& files, std::span<const std::filesystem::path> dataDirectories);
