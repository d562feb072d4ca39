// Building the tax code and its check character.
#include "taxcode/tax_code.h"

#include <array>
#include <cstdint>

#include "console/ascii.h"
#include "taxcode/name_normalisation.h"

namespace {

bool isVowel(char c) { return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U'; }
bool isConsonant(char c) { return isAsciiUpper(c) && !isVowel(c); }

// The letters of `text` that `wanted` picks, in order of appearance.
std::string lettersOf(std::string_view text, bool (*wanted)(char)) {
  std::string found;
  for (char c : text) {
    if (wanted(c))
      found += c;
  }
  return found;
}

// Consonants, then vowels, then X, three in all.
std::string surnameLetters(std::string_view normalised) {
  return (lettersOf(normalised, isConsonant) + lettersOf(normalised, isVowel) + "XXX").substr(0, 3);
}

// Four or more consonants give the first, third and fourth.
std::string nameLetters(std::string_view normalised) {
  std::string consonants = lettersOf(normalised, isConsonant);
  if (consonants.size() >= 4)
    return {consonants[0], consonants[2], consonants[3]};
  return surnameLetters(normalised);
}

void appendTwoDigits(std::string& code, int value) {
  if (value < 10)
    code += '0';
  code += std::to_string(value);
}

// What each letter A to Z, and each digit 0 to 9 like the letter with its
// index, adds at an odd position.
constexpr std::array<int, 26> oddValues = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                           20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

// A letter's alphabet index or a digit's value; -1 for any other byte.
int characterIndex(char c) {
  if (isAsciiUpper(c))
    return c - 'A';
  if (isAsciiDigit(c))
    return c - '0';
  return -1;
}

}  // namespace

Result<std::string> buildTaxCode(std::string_view surname, std::string_view name, int day,
                                 int month, int year, char sex) {
  if (day < 1 || day > 31 || month < 1 || month > 12)
    return Status::failure(Status::Code::invalid, "data di nascita non valida");
  std::string code = surnameLetters(normaliseName(surname)) + nameLetters(normaliseName(name));
  // The remainder of a negative year is negative: its digits are what count.
  int lastDigits = year % 100;
  appendTwoDigits(code, lastDigits < 0 ? -lastDigits : lastDigits);
  code += monthLetters[static_cast<std::size_t>(month - 1)];
  if (sex == 'm' || sex == 'M') {
    appendTwoDigits(code, day);
    return code;
  }
  if (sex == 'f' || sex == 'F') {
    code += std::to_string(day + 40);
    return code;
  }
  return Status::failure(Status::Code::invalid, "sesso non valido");
}

bool appendMunicipalityCode(std::string& code, const MunicipalityRecord& municipality) {
  if (!isAsciiUpper(municipality.letter) || municipality.number < 0)
    return false;
  std::string digits = std::to_string(municipality.number);
  if (digits.size() < 3)
    digits.insert(0, 3 - digits.size(), '0');
  code += municipality.letter;
  code += digits.substr(0, 3);
  return true;
}

char checkCharacter(std::string_view code) {
  // A digit counts as the letter with its index at either kind of position,
  // so whether a position holds a letter or a digit needs no checking.
  int sum = 0;
  for (std::size_t i = 0; i < code.size() && i < 15; ++i) {
    int index = characterIndex(code[i]);
    if (index < 0)
      continue;
    bool oddPosition = i % 2 == 0;
    sum += oddPosition ? oddValues[static_cast<std::size_t>(index)] : index;
  }
  return static_cast<char>('A' + sum % 26);
}

bool isExistingDate(int day, int month, int year) {
  if (month < 1 || month > 12 || day < 1)
    return false;
  constexpr int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  int days = monthDays[month - 1] + (month == 2 && leap ? 1 : 0);
  return day <= days;
}
