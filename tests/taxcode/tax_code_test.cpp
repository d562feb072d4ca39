#include "taxcode/tax_code.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "console/file_reading.h"
#include "taxcode/name_normalisation.h"

namespace {

// The whole code for a man or woman born in the municipality A562.
std::string codeFor(std::string_view surname, std::string_view name, int day, int month, int year,
                    char sex, std::int32_t number = 562) {
  Result<std::string> built = buildTaxCode(surname, name, day, month, year, sex);
  if (!built.isOk())
    return "refused: " + built.status().message();
  std::string code = *built;
  MunicipalityRecord municipality;
  municipality.letter = 'A';
  municipality.number = number;
  if (!appendMunicipalityCode(code, municipality))
    return "no municipality code";
  return code + checkCharacter(code);
}

std::string lettersFor(std::string_view surname, std::string_view name) {
  return codeFor(surname, name, 1, 1, 2000, 'M').substr(0, 6);
}

}  // namespace

TEST(NormaliseName, UpperCasesAndSpellsAccentedVowelsWithAnApostrophe) {
  EXPECT_EQ(normaliseName("Rossi"), "ROSSI");
  EXPECT_EQ(normaliseName("De Luca"), "DE LUCA");
  EXPECT_EQ(normaliseName(""), "");
  // Windows-1252 bytes, lower and upper case.
  EXPECT_EQ(normaliseName("Niccol\xF2"), "NICCOLO'");
  EXPECT_EQ(normaliseName("\xE0\xE4\xE8\xE9\xEC\xF2\xF6\xF9\xFC"), "A'A'E'E'I'O'O'U'U'");
  EXPECT_EQ(normaliseName("\xC0\xC4\xC8\xC9\xCC\xD2\xD6\xD9\xDC"), "A'A'E'E'I'O'O'U'U'");
  // The same letters in UTF-8.
  EXPECT_EQ(normaliseName("Niccolò"), "NICCOLO'");
  EXPECT_EQ(normaliseName("àäèéìòöùü"), "A'A'E'E'I'O'O'U'U'");
  EXPECT_EQ(normaliseName("ÀÄÈÉÌÒÖÙÜ"), "A'A'E'E'I'O'O'U'U'");
  EXPECT_EQ(normaliseName("Cantù di Forlì"), "CANTU' DI FORLI'");
}

TEST(NormaliseName, CopiesOtherBytesAndStopsAtALineEnd) {
  EXPECT_EQ(normaliseName("Sant'Angelo"), "SANT'ANGELO");
  EXPECT_EQ(normaliseName("Antey-Saint-Andr\xE9"), "ANTEY-SAINT-ANDRE'");
  EXPECT_EQ(normaliseName("San Teodoro (ss)"), "SAN TEODORO (SS)");
  EXPECT_EQ(normaliseName(" roma 2\t"), " ROMA 2\t");
  EXPECT_EQ(normaliseName("roma\nmilano"), "ROMA");
  EXPECT_EQ(normaliseName("roma\r\n"), "ROMA");
  // Other UTF-8 letters stay whole, even when their second byte is a
  // Windows-1252 vowel: ñ is C3 B1, Ȩ is C8 A8.
  EXPECT_EQ(normaliseName("Peñíscola"), "PE\xC3\xB1\xC3\xADSCOLA");
  EXPECT_EQ(normaliseName("\xC8\xA8"), "\xC8\xA8");
  EXPECT_EQ(normaliseName("\xC3"), "\xC3");
  // A Windows-1252 È followed by a letter is still È.
  EXPECT_EQ(normaliseName("\xC8Z"), "E'Z");
}

TEST(BuildTaxCode, TakesConsonantsThenVowelsThenX) {
  // The people fixture below covers the ordinary names.
  EXPECT_EQ(lettersFor("", ""), "XXXXXX");
  EXPECT_EQ(lettersFor("Bianchi", "Marta"), "BNCMRT");
  EXPECT_EQ(lettersFor("Wojtyla", "Kyx"), "WJTKYX");
  // Apostrophes, digits and other bytes are never letters of the code.
  EXPECT_EQ(lettersFor("D'Angelo", "Niccolò"), "DNGNCL");
  EXPECT_EQ(lettersFor("Dall'\xD2", "Nicol\xF2"), "DLLNCL");
  EXPECT_EQ(lettersFor("A1-2.3", "E'"), "AXXEXX");
  EXPECT_EQ(lettersFor("Peña", "José"), "PEAJSO");
}

TEST(BuildTaxCode, WritesYearMonthAndDayWithTheirPadding) {
  // The people fixture below covers every month, both sexes and 1900 to today.
  EXPECT_EQ(codeFor("Rossi", "Maria", 31, 1, 5, 'f').substr(6, 5), "05A71");
  // Negative years keep two digits.
  EXPECT_EQ(codeFor("Rossi", "Maria", 1, 7, -1985, 'M').substr(6, 5), "85L01");
  EXPECT_EQ(codeFor("Rossi", "Maria", 1, 7, -5, 'M').substr(6, 5), "05L01");
  EXPECT_EQ(codeFor("Rossi", "Maria", 1, 7, std::numeric_limits<int>::min(), 'M').substr(6, 5),
            "48L01");
}

TEST(BuildTaxCode, RefusesAnImpossibleDateOrSex) {
  EXPECT_EQ(codeFor("Rossi", "Mario", 0, 12, 1985, 'M'), "refused: data di nascita non valida");
  EXPECT_EQ(codeFor("Rossi", "Mario", 32, 12, 1985, 'M'), "refused: data di nascita non valida");
  EXPECT_EQ(codeFor("Rossi", "Mario", 10, 0, 1985, 'M'), "refused: data di nascita non valida");
  EXPECT_EQ(codeFor("Rossi", "Mario", 10, 13, 1985, 'M'), "refused: data di nascita non valida");
  EXPECT_EQ(codeFor("Rossi", "Mario", 10, 12, 1985, 'X'), "refused: sesso non valido");
  EXPECT_EQ(*buildTaxCode("Rossi", "Mario", 10, 12, 1985, 'M'), "RSSMRA85T10");
}

TEST(AppendMunicipalityCode, PadsToThreeDigitsAndRefusesWhatIsNoCode) {
  EXPECT_EQ(codeFor("Rossi", "Mario", 10, 12, 1985, 'M', 1).substr(11, 4), "A001");
  EXPECT_EQ(codeFor("Rossi", "Mario", 10, 12, 1985, 'M', 42).substr(11, 4), "A042");
  EXPECT_EQ(codeFor("Rossi", "Mario", 10, 12, 1985, 'M', 0).substr(11, 4), "A000");
  EXPECT_EQ(codeFor("Rossi", "Mario", 10, 12, 1985, 'M', 12345).substr(11, 4), "A123");
  EXPECT_EQ(codeFor("Rossi", "Mario", 10, 12, 1985, 'M', -5), "no municipality code");
  for (char letter : {'h', ' ', '5', '\xE8'}) {
    std::string code = "RSSMRA85T10";
    EXPECT_FALSE(appendMunicipalityCode(code, {"ROMA", letter, 501})) << letter;
    EXPECT_EQ(code, "RSSMRA85T10");
  }
}

TEST(CheckCharacter, FollowsThePublishedOddAndEvenTables) {
  EXPECT_EQ(checkCharacter("RSSMRA85T10A562"), 'S');
  // Each character alone at the first (odd) position, then after a B, which
  // counts 0 there, at the second (even) one. The odd values are the published
  // table's, in the order A to Z; a digit counts as the letter with its index.
  constexpr int oddValues[26] = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
  for (int index = 0; index < 26; ++index) {
    std::string letter(1, static_cast<char>('A' + index));
    EXPECT_EQ(checkCharacter(letter), 'A' + oddValues[index]) << letter;
    EXPECT_EQ(checkCharacter("B" + letter), 'A' + index) << letter;
  }
  for (int digit = 0; digit < 10; ++digit) {
    std::string text(1, static_cast<char>('0' + digit));
    EXPECT_EQ(checkCharacter(text), 'A' + oddValues[digit]) << text;
    EXPECT_EQ(checkCharacter("B" + text), 'A' + digit) << text;
  }
  // Only fifteen positions count.
  EXPECT_EQ(checkCharacter("RSSMRA85T10A562S"), 'S');
}

// People made up and coded by a separate implementation of the published
// rule (tools/make_tax_code_fixture.py), born in municipalities of the file
// that ships, typed as a person would type them: together they show every
// month letter, both sexes, births abroad, accents, apostrophes, short and
// missing names and every check character.
TEST(TaxCode, AgreesWithAnIndependentImplementationForPeopleShowingEveryRule) {
  std::ifstream shipped(KALVEX_SHIPPED_MUNICIPALITIES, std::ios::binary);
  ASSERT_TRUE(shipped) << KALVEX_SHIPPED_MUNICIPALITIES;
  std::ostringstream content;
  content << shipped.rdbuf();
  MunicipalityTable municipalities;
  municipalities.load(foldLineEnds(content.str()));
  std::ifstream fixture(KALVEX_PEOPLE_FIXTURE);
  ASSERT_TRUE(fixture) << KALVEX_PEOPLE_FIXTURE;
  int people = 0;
  for (std::string line; std::getline(fixture, line);) {
    if (line.empty() || line[0] == '#')
      continue;
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, '\t');)
      fields.push_back(field);
    ASSERT_EQ(fields.size(), 8u) << line;
    std::optional<MunicipalityRecord> municipality = municipalities.find(normaliseName(fields[6]));
    ASSERT_TRUE(municipality) << line;
    Result<std::string> built =
        buildTaxCode(fields[0], fields[1], std::stoi(fields[2]), std::stoi(fields[3]),
                     std::stoi(fields[4]), fields[5][0]);
    ASSERT_TRUE(built.isOk()) << line;
    std::string code = *built;
    ASSERT_TRUE(appendMunicipalityCode(code, *municipality)) << line;
    code += checkCharacter(code);
    EXPECT_EQ(code, fields[7]) << line;
    ++people;
  }
  EXPECT_GE(people, 25);
}

TEST(IsExistingDate, KnowsMonthLengthsAndGregorianLeapYears) {
  struct Case {
    int day, month, year;
    bool exists;
  };
  Case cases[] = {{31, 2, 1990, false}, {29, 2, 2023, false}, {31, 4, 2000, false},
                  {29, 2, 2024, true},  {29, 2, 2000, true},  {29, 2, 1900, false},
                  {31, 12, 1999, true}, {30, 4, 2000, true},  {0, 1, 2000, false}};
  for (auto [day, month, year, exists] : cases)
    EXPECT_EQ(isExistingDate(day, month, year), exists) << day << "/" << month << "/" << year;
}
