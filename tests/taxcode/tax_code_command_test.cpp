#include "taxcode/tax_code_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dialogue.h"
#include "taxcode/municipality_table.h"

namespace {

namespace fs = std::filesystem;

const std::string names = "Cognome: \nNome: \n";
const std::string dateHeading = "Inserire la data di nascita nel formato: gg/mm/aaaa\n";
const std::string dayPrompt = "\nGiorno di nascita(gg): ";
const std::string monthPrompt = "\nMese di nascita (mm): ";
const std::string yearPrompt = "\nAnno di nascita (aaaa): ";
const std::string sexPrompt = "\nSesso (M/F): ";
const std::string municipalityPrompt = "\nComune di nascita: ";
const std::string dayError = "ERRORE: Giorno di nascita non valido.\n";
const std::string monthError = "\nERRORE: Mese di nascita non valido.\n";
const std::string sexError = "ERRORE: Inserire solo il carattere 'M' o 'F'.\n";
const std::string municipalityError = "ERRORE: Comune non trovato.\n";

std::string result(std::string_view code) {
  return "\n\nCodice fiscale: " + std::string(code) + "\n\n";
}

const std::string municipalities =
    "BAGNI SAN GIULIANO\tA562\nFORLI'\tD704\nUNO\tB1\nSANT'ANGELO LODIGIANO\tI274\n"
    "PRIMIERO SAN MARTINO DI CASTROZZA\tM359\nMENO\tZ-1\nMINUSCOLA\tz100\n";

// Runs the command with a file of its own and no shipped file to fall back on.
class TaxCodeCommand : public ::testing::Test {
 protected:
  void SetUp() override { writeFile("risorsa.cf.txt", municipalities); }

  std::string run(Dialogue& dialogue) {
    runTaxCodeWith(dialogue.console, noDirectories);
    return dialogue.out.str();
  }

  std::vector<fs::path> noDirectories;
  ScratchDirectory scratch;
};

}  // namespace

TEST_F(TaxCodeCommand, PrintsTheWorkedExampleAndReleasesTheTable) {
  Dialogue dialogue("Rossi\nMario\n10\n12\n1985\nM\nBagni San Giuliano\nnext\n");
  EXPECT_EQ(run(dialogue), names + dateHeading + dayPrompt + monthPrompt + yearPrompt + sexPrompt +
                               municipalityPrompt + result("RSSMRA85T10A562S"));
  EXPECT_EQ(dialogue.pending(), "next\n");
  EXPECT_EQ(municipalityTable().size(), 0u);
  EXPECT_TRUE(municipalitiesLoaded());
}

TEST_F(TaxCodeCommand, AsksAgainAfterEachInvalidAnswer) {
  Dialogue dialogue(
      "De Luca\nNiccolò\n"
      "0\n32\n-3\nabc def\n99999999999\n31\n"
      "13\nx\n2\n"
      "anno\n2003\n"
      "x\nF\n"
      "Atlantide\n uno\nsant'angelo lodigiano\n");
  EXPECT_EQ(run(dialogue), names + dateHeading + dayPrompt + dayError + dayPrompt + dayError +
                               dayPrompt + dayError + dayPrompt + dayError + dayPrompt + dayError +
                               dayPrompt + monthPrompt + monthError + monthPrompt + monthError +
                               monthPrompt + yearPrompt + yearPrompt + sexPrompt + sexError +
                               sexPrompt + municipalityPrompt + municipalityError +
                               municipalityPrompt + municipalityError + municipalityPrompt +
                               result("DLCNCL03B71I274O"));
  EXPECT_EQ(dialogue.pending(), "");
}

TEST_F(TaxCodeCommand, TakesOnlyTheFirstCharacterOfTheSex) {
  // "Maria" is M; "ia" is left over as a municipality's name.
  Dialogue dialogue("Rossi\nMario\n10\n12\n1985\nMaria\nforlì\n");
  EXPECT_EQ(run(dialogue), names + dateHeading + dayPrompt + monthPrompt + yearPrompt + sexPrompt +
                               municipalityPrompt + municipalityError + municipalityPrompt +
                               result("RSSMRA85T10D704X"));
}

TEST_F(TaxCodeCommand, ReadsLongNamesWhole) {
  std::string longSurname(200, 'Z');
  Dialogue dialogue(longSurname + "\n" + std::string(100, 'a') +
                    "\n1\n1\n2000\nm\nPrimiero San Martino di Castrozza\n");
  EXPECT_EQ(run(dialogue), names + dateHeading + dayPrompt + monthPrompt + yearPrompt + sexPrompt +
                               municipalityPrompt + result("ZZZAAA00A01M359P"));
}

TEST_F(TaxCodeCommand, ReportsARecordThatCannotGiveACode) {
  EXPECT_EQ(runDialogue([](Console& console) { runTaxCodeWith(console, {}); },
                        "Rossi\nMario\n10\n12\n1985\nM\nmeno\n"),
            names + dateHeading + dayPrompt + monthPrompt + yearPrompt + sexPrompt +
                municipalityPrompt + result("ERRORE DATI"));
  EXPECT_EQ(runDialogue([](Console& console) { runTaxCodeWith(console, {}); },
                        "Rossi\nMario\n10\n12\n1985\nM\nminuscola\n"),
            names + dateHeading + dayPrompt + monthPrompt + yearPrompt + sexPrompt +
                municipalityPrompt + result("ERRORE DATI"));
}

TEST_F(TaxCodeCommand, WithoutAFileSaysSoAndAsksNothing) {
  fs::remove("risorsa.cf.txt");
  Dialogue dialogue("Rossi\n");
  EXPECT_EQ(run(dialogue), "\nErrore caricare risorse\n");
  EXPECT_EQ(dialogue.pending(), "Rossi\n");
}

TEST_F(TaxCodeCommand, EndsAtOnceWhereverInputEnds) {
  const std::string lastLine = "Uno\n";
  const std::string typed = "Rossi\nMario\nx\n10\nx\n12\nx\n1985\nx\nM\nnowhere\n" + lastLine;
  Dialogue whole(typed);
  const std::string full = run(whole);
  ASSERT_NE(full.find(result("RSSMRA85T10B001W")), std::string::npos) << full;
  // Cut anywhere before the last answer, the run prints what it would have
  // printed so far and stops, with the table released.
  for (std::size_t cut = 0; cut <= typed.size() - lastLine.size(); ++cut) {
    Dialogue dialogue(typed.substr(0, cut));
    std::string printed = run(dialogue);
    EXPECT_EQ(full.substr(0, printed.size()), printed) << cut;
    EXPECT_EQ(printed.find("Codice fiscale"), std::string::npos) << cut;
    EXPECT_EQ(municipalityTable().size(), 0u) << cut;
  }
}
