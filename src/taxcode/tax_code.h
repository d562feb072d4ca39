// The Italian tax code (codice fiscale): its letters and digits, and its
// check character, by the published rule. Homonym substitutions (digits
// replaced by letters) are not made.
#pragma once

#include <string>
#include <string_view>

#include "platform/status.h"
#include "taxcode/municipality_table.h"

// Month 1 to 12 as its letter.
inline constexpr std::string_view monthLetters = "ABCDEHLMPRST";

// True when the day exists in that month of that year (Gregorian leap years).
bool isExistingDate(int day, int month, int year);

// The first eleven characters of the code: three letters of the surname and
// three of the name (each normalised first), the year's last two digits, the
// month letter and the day, plus 40 for a woman. A failure (Code::invalid)
// when the day is outside 1..31 or the month outside 1..12, or when `sex` is
// none of m M f F.
Result<std::string> buildTaxCode(std::string_view surname, std::string_view name, int day,
                                 int month, int year, char sex);

// Appends the municipality's letter and its number as three digits (7 as 007;
// a longer number keeps its first three digits). False, appending nothing,
// when the record cannot give a code: its letter is not A to Z or its number
// is negative.
bool appendMunicipalityCode(std::string& code, const MunicipalityRecord& municipality);

// The check character of the first fifteen characters of `code`.
char checkCharacter(std::string_view code);
