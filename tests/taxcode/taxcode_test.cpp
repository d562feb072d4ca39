#include <gtest/gtest.h>

#include <array>

#include "dialogue.h"
#include "platform/native_path.h"
#include "taxcode/municipality_file.h"
#include "taxcode/name_normalisation.h"
#include "taxcode/tax_code.h"
#include "taxcode/tax_code_command.h"

TEST(NormaliseName, UpperCasesSpellsAccentedVowelsWithAnApostropheAndStopsAtALineEnd) {
  const std::string vowels = "A'A'E'E'I'O'O'U'U'";
  EXPECT_EQ(normaliseName("\xE0\xE4\xE8\xE9\xEC\xF2\xF6\xF9\xFC\xC0\xC4\xC8\xC9\xCC\xD2\xD6\xD9\xDC"
                          "àäèéìòöùüÀÄÈÉÌÒÖÙÜ"),
            vowels + vowels + vowels + vowels);
  // Other UTF-8 letters stay whole: ñ is C3 B1, Ȩ is C8 A8.
  const std::pair<std::string, std::string> cases[] = {
      {"Rossi", "ROSSI"},       {" roma 2\t", " ROMA 2\t"},
      {"roma\nmilano", "ROMA"}, {"roma\r\n", "ROMA"},
      {"\xC8\xA8", "\xC8\xA8"}, {"\xC3", "\xC3"},
      {"\xC8Z", "E'Z"},         {"Peñíscola", "PE\xC3\xB1\xC3\xADSCOLA"},
  };
  for (const auto& [typed, normalised] : cases)
    EXPECT_EQ(normaliseName(typed), normalised) << typed;
}

// The people born in a real municipality were coded by a separate implementation.
TEST(TaxCode, FollowsTheRuleForEveryPartAndTheCheckCharacterForExistingDates) {
  const struct {
    std::string surname, name;
    int day, month, year;
    char sex, letter;
    std::int32_t number;
    std::string code;
  } cases[] = {
      {"Ferrari", "Giuseppe", 28, 2, 1976, 'M', 'A', 755, "FRRGPP76B28A755L"},
      {"", "Gabriele", 13, 8, 2010, 'M', 'L', 318, "XXXGRL10M13L318G"},
      // Apostrophes, digits and other bytes are never letters of the code.
      {"Wojtyla", "Kyx", 1, 1, 2000, 'M', 'A', 562, "WJTKYX00A01A562Y"},
      {"D'Angelo", "Niccolò", 1, 1, 2000, 'M', 'A', 562, "DNGNCL00A01A562M"},
      {"A1-2.3", "E'", 1, 1, 2000, 'M', 'A', 562, "AXXEXX00A01A562X"},
      {"Peña", "José", 1, 1, 2000, 'M', 'A', 562, "PEAJSO00A01A562R"},
      // Years keep two digits, negative ones too.
      {"Rossi", "Maria", 31, 1, 5, 'f', 'A', 562, "RSSMRA05A71A562S"},
      {"Rossi", "Maria", 1, 7, std::numeric_limits<int>::min(), 'M', 'A', 562, "RSSMRA48L01A562Z"},
      {"Rossi", "Mario", 10, 12, 1985, 'X', 'A', 562, "refused: sesso non valido"},
      {"Rossi", "Mario", 10, 12, 1985, 'M', 'A', 1, "RSSMRA85T10A001V"},
      {"Rossi", "Mario", 10, 12, 1985, 'M', 'A', 42, "RSSMRA85T10A042E"},
      {"Rossi", "Mario", 10, 12, 1985, 'M', 'A', 0, "RSSMRA85T10A000W"},
      {"Rossi", "Mario", 10, 12, 1985, 'M', 'A', 12345, "RSSMRA85T10A123D"},
      {"Rossi", "Mario", 10, 12, 1985, 'M', 'A', -5, "no municipality code: RSSMRA85T10"},
      {"Rossi", "Mario", 10, 12, 1985, 'M', 'h', 501, "no municipality code: RSSMRA85T10"},
      {"Rossi", "Mario", 10, 12, 1985, 'M', '5', 501, "no municipality code: RSSMRA85T10"},
  };
  // The whole code, or why there is none and what was built until then.
  auto codeFor = [](auto c) -> std::string {
    Result<std::string> built = buildTaxCode(c.surname, c.name, c.day, c.month, c.year, c.sex);
    if (!built.isOk())
      return "refused: " + built.status().message();
    std::string code = *built;
    if (!appendMunicipalityCode(code, {"", c.letter, c.number}))
      return "no municipality code: " + code;
    return code + checkCharacter(code);
  };
  for (const auto& c : cases)
    EXPECT_EQ(codeFor(c), c.code) << c.surname;
  auto c = cases[0];
  for (c.month = 1; c.month <= 12; ++c.month)
    EXPECT_EQ(codeFor(c)[8], "ABCDEHLMPRST"[c.month - 1]) << c.month;
  const std::pair<int, int> outOfRange[] = {{0, 12}, {32, 12}, {10, 0}, {10, 13}};
  for (auto [day, month] : outOfRange)
    EXPECT_FALSE(buildTaxCode("Rossi", "Mario", day, month, 1985, 'M').isOk()) << day << month;
  // The dialogue's own check: day, month, year, and whether that date exists.
  const std::array<int, 4> dates[] = {{31, 4, 2000, 0},  {29, 2, 2000, 1}, {29, 2, 1900, 0},
                                      {31, 12, 1999, 1}, {30, 4, 2000, 1}, {0, 1, 2000, 0}};
  for (auto [day, month, year, exists] : dates)
    EXPECT_EQ(isExistingDate(day, month, year), exists == 1) << day << "/" << month << "/" << year;
  // Only 15 characters count; each letter at an odd position, then after B (0) at an even one.
  EXPECT_EQ(checkCharacter("RSSMRA85T10A562S"), 'S');
  constexpr int oddValues[26] = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
  for (int index = 0; index < 26; ++index) {
    std::string letter(1, static_cast<char>('A' + index));
    EXPECT_EQ(checkCharacter(letter), 'A' + oddValues[index]) << letter;
    EXPECT_EQ(checkCharacter("B" + letter), 'A' + index) << letter;
  }
}

// A number beyond 32 bits is refused, not cut to fit; where the number is
// missing, what follows the letter and its blanks starts the next name.
TEST(LoadMunicipalities, ReadsNameTabLetterNumberFromTheFirstFileFound) {
  MemoryFileSystem files;
  Result<MunicipalityTable> table = Status::failure(Status::Code::notFound, "not loaded");
  auto codeOf = [&](std::string_view name) {
    std::optional<MunicipalityRecord> record = table->find(name);
    return record ? record->letter + std::to_string(record->number) : "none";
  };
  files.writeFile("risorsa.cf.txt",
                  "ROMA\tH501\nMILANO\tF205\r\n\n  \t\nSAN LEO\tG467   \n"
                  "CINQUE\tA5\nCINQUE ZERI\tA005\nUNO\tA1 DUE\tB2\nSEGNO\tZ-5\nPIU\tZ+7\n"
                  "SPAZIO\t 7\nroma\tX999\nGRANDE\tZ99999999999\nDOPPIO\tA1\nDOPPIO\tA2\n"
                  "SENZA\tH\nAB\tA1\nBA\tB2\nULTIMO\tU9");
  table = loadMunicipalities(files, {});
  const std::pair<std::string, std::string> cases[] = {
      {"ROMA", "H501"},      {"MILANO", "F205"}, {"SAN LEO", "G467"}, {"CINQUE", "A5"},
      {"CINQUE ZERI", "A5"}, {"UNO", "A1"},      {"DUE", "B2"},       {"SEGNO", "Z-5"},
      {"PIU", "Z7"},         {"SPAZIO", " 7"},   {"roma", "X999"},    {"GRANDE", "none"},
      {"DOPPIO", "A2"},      {"SENZA", "none"},  {"AB", "A1"},        {"BA", "B2"},
      {"ULTIMO", "U9"},      {"Roma", "none"},   {"SANLEO", "none"},
  };
  for (const auto& [name, code] : cases)
    EXPECT_EQ(codeOf(name), code) << name;
  ASSERT_EQ(nameHash("AB"), nameHash("BA"));
  // Signed bytes: 0xE8 counts as -24. Past the last bucket the sum wraps round.
  const std::pair<std::string, std::size_t> hashes[] = {
      {"\xE8", 2126u - 24},
      {"A\xE8", 65u - 24},
      {std::string(30, 'Z'), 30u * 90 - 2126},
      {std::string(100000, '\x80'), (2126u * 10000 - 12800000) % 2126},
  };
  for (const auto& [name, hash] : hashes)
    EXPECT_EQ(nameHash(name), hash) << name.size();
  EXPECT_EQ(table->size(), 16u);
  table->release();
  EXPECT_FALSE(table->find("ROMA") || table->size());
  for (std::string tail : {"TRONCO", "TRONCO\t", "TRONCO\tX", "TRONCO\tX-", "TRONCO\tX  \n"}) {
    files.writeFile("risorsa.cf.txt", "ROMA\tH501\n" + tail);
    EXPECT_EQ(loadMunicipalities(files, {})->size(), 1u) << tail;
  }
  // A directory or a FIFO counts as no file; one too large here fails rather than use another.
  std::vector<std::filesystem::path> directories = {"missing", "empty", "special", "shipped"};
  auto romaCode = [&](std::span<const std::filesystem::path> searched) -> std::string {
    table = loadMunicipalities(files, searched);
    if (!table.isOk())
      return table.status().code() == Status::Code::tooLarge ? "too large" : "none";
    return table->size() == 1 ? codeOf("ROMA") : "?";
  };
  ASSERT_TRUE(files.remove("risorsa.cf.txt").isOk());
  files.makeDirectory("risorsa.cf.txt");
  files.makeDirectory("empty");
  files.writeFile(utf8Name(std::filesystem::path("shipped") / municipalityFileName),
                  "ROMA\tH501\n");
  files.makeSpecial(utf8Name(std::filesystem::path("special") / municipalityFileName));
  EXPECT_EQ(romaCode(directories), "H501");
  ASSERT_TRUE(files.remove("risorsa.cf.txt").isOk());
  files.makeSpecial("risorsa.cf.txt");
  EXPECT_EQ(romaCode(directories), "H501");
  ASSERT_TRUE(files.remove("risorsa.cf.txt").isOk());
  files.writeFile("risorsa.cf.txt", "ROMA\tX1\n");
  EXPECT_EQ(romaCode(directories), "X1");
  files.writeFile("risorsa.cf.txt", std::string(municipalityFileLimit + 1, '\n'));
  EXPECT_EQ(romaCode(directories), "too large");
}

// Cut anywhere before the last answer, a run prints what a whole one would and stops.
TEST(RunTaxCode, AsksForEachAnswerAndEndsAtOnceWhereverInputEnds) {
  auto runTaxCode = [](const std::string& typed) {
    Dialogue dialogue(typed);
    dialogue.platform.memoryFiles.writeFile(
        "risorsa.cf.txt", "UNO\tB1\nPRIMIERO SAN MARTINO DI CASTROZZA\tM359\nMENO\tZ-1\n");
    runTaxCodeWith(dialogue.console, {});
    return dialogue.out.str();
  };
  EXPECT_TRUE(runTaxCode(std::string(200, 'Z') + "\n" + std::string(100, 'a') +
                         "\n1\n1\n2000\nm\nPrimiero San Martino di Castrozza\n")
                  .ends_with("\n\nCodice fiscale: ZZZAAA00A01M359P\n\n"));
  EXPECT_TRUE(runTaxCode("Rossi\nMario\n10\n12\n1985\nM\nmeno\n")
                  .ends_with("Comune di nascita: \n\nCodice fiscale: ERRORE DATI\n\n"));
  const std::string lastLine = "Uno\n";
  const std::string typed = "Rossi\nMario\nx\n10\nx\n12\nx\n1985\nx\nM\nnowhere\n" + lastLine;
  const std::string full = runTaxCode(typed);
  ASSERT_TRUE(full.ends_with("Codice fiscale: RSSMRA85T10B001W\n\n")) << full;
  for (std::size_t cut = 0; cut <= typed.size() - lastLine.size(); ++cut) {
    std::string printed = runTaxCode(typed.substr(0, cut));
    EXPECT_EQ(full.substr(0, printed.size()), printed) << cut;
    EXPECT_EQ(printed.find("Codice fiscale"), std::string::npos) << cut;
  }
  Dialogue withoutFile("Rossi\n");
  runTaxCodeWith(withoutFile.console, {});
  EXPECT_EQ(withoutFile.out.str(), "\nErrore caricare risorse\n");
  EXPECT_EQ(withoutFile.pending(), "Rossi\n");
}
