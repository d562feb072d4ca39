#include "taxcode/tax_code_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogue.h"

namespace {

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
std::string run(Dialogue& dialogue, bool withFile = true) {
  if (withFile)
    dialogue.platform.memoryFiles.writeFile("risorsa.cf.txt", municipalities);
  runTaxCodeWith(dialogue.console, {});
  return dialogue.out.str();
}

std::string run(const std::string& typed) {
  Dialogue dialogue(typed);
  return run(dialogue);
}

}  // namespace

TEST(TaxCodeCommand, ReadsLongNamesWhole) {
  std::string longSurname(200, 'Z');
  EXPECT_EQ(run(longSurname + "\n" + std::string(100, 'a') +
                "\n1\n1\n2000\nm\nPrimiero San Martino di Castrozza\n"),
            names + dateHeading + dayPrompt + monthPrompt + yearPrompt + sexPrompt +
                municipalityPrompt + result("ZZZAAA00A01M359P"));
}

TEST(TaxCodeCommand, ReportsARecordThatCannotGiveACode) {
  EXPECT_EQ(run("Rossi\nMario\n10\n12\n1985\nM\nmeno\n"),
            names + dateHeading + dayPrompt + monthPrompt + yearPrompt + sexPrompt +
                municipalityPrompt + result("ERRORE DATI"));
  EXPECT_EQ(run("Rossi\nMario\n10\n12\n1985\nM\nminuscola\n"),
            names + dateHeading + dayPrompt + monthPrompt + yearPrompt + sexPrompt +
                municipalityPrompt + result("ERRORE DATI"));
}

TEST(TaxCodeCommand, WithoutAFileSaysSoAndAsksNothing) {
  Dialogue dialogue("Rossi\n");
  EXPECT_EQ(run(dialogue, false), "\nErrore caricare risorse\n");
  EXPECT_EQ(dialogue.pending(), "Rossi\n");
}

TEST(TaxCodeCommand, EndsAtOnceWhereverInputEnds) {
  const std::string lastLine = "Uno\n";
  const std::string typed = "Rossi\nMario\nx\n10\nx\n12\nx\n1985\nx\nM\nnowhere\n" + lastLine;
  const std::string full = run(typed);
  ASSERT_NE(full.find(result("RSSMRA85T10B001W")), std::string::npos) << full;
  // Cut anywhere before the last answer, the run prints what it would have
  // printed so far and stops.
  for (std::size_t cut = 0; cut <= typed.size() - lastLine.size(); ++cut) {
    std::string printed = run(typed.substr(0, cut));
    EXPECT_EQ(full.substr(0, printed.size()), printed) << cut;
    EXPECT_EQ(printed.find("Codice fiscale"), std::string::npos) << cut;
  }
}
