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

// The taxcode transcripts show the worked example, the questions asked again
// and the sex read from its first character.
TEST_F(TaxCodeCommand, ReleasesTheTableAfterTheCode) {
  Dialogue dialogue("Rossi\nMario\n10\n12\n1985\nM\nBagni San Giuliano\n");
  EXPECT_EQ(run(dialogue), names + dateHeading + dayPrompt + monthPrompt + yearPrompt + sexPrompt +
                               municipalityPrompt + result("RSSMRA85T10A562S"));
  EXPECT_EQ(municipalityTable().size(), 0u);
  EXPECT_TRUE(municipalitiesLoaded());
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
