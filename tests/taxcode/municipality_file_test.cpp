#include "taxcode/municipality_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "dialogue.h"

namespace {

namespace fs = std::filesystem;

// Each test loads into the program's one table and leaves it empty.
class MunicipalityFile : public ::testing::Test {
 protected:
  void TearDown() override { releaseMunicipalities(); }

  int loadHere() { return loadMunicipalities({}); }

  static std::string codeOf(std::string_view name) {
    std::optional<MunicipalityRecord> record = findMunicipality(name);
    if (!record)
      return "none";
    return record->letter + std::to_string(record->number);
  }

  ScratchDirectory scratch;
};

}  // namespace

TEST_F(MunicipalityFile, ReadsNameTabLetterNumberAndAnyWhiteSpaceAfter) {
  writeFile("risorsa.cf.txt",
            "ROMA\tH501\n"
            "MILANO\tF205\r\n"
            "\n  \t\n"
            "SAN GIOVANNI IN PERSICETO\tG467   \n"
            "CINQUE\tA5\nCINQUE ZERO\tA05\nCINQUE ZERI\tA005\n"
            "UNO\tA1 DUE\tB2\n"
            "SEGNO\tZ-5\nPIU\tZ+7\n"
            "SPAZIO\t 7\n"
            "roma\tX999\n"
            "PRIMIERO SAN MARTINO DI CASTROZZA\tM359\n"
            "GRANDE\tZ99999999999\n"
            "DOPPIO\tA1\nDOPPIO\tA2\n"
            "ULTIMO\tU9");
  ASSERT_EQ(loadHere(), 1);
  EXPECT_TRUE(municipalitiesLoaded());
  EXPECT_EQ(codeOf("ROMA"), "H501");
  EXPECT_EQ(codeOf("MILANO"), "F205");
  EXPECT_EQ(codeOf("SAN GIOVANNI IN PERSICETO"), "G467");
  EXPECT_EQ(codeOf("CINQUE"), "A5");
  EXPECT_EQ(codeOf("CINQUE ZERO"), "A5");
  EXPECT_EQ(codeOf("CINQUE ZERI"), "A5");
  EXPECT_EQ(codeOf("UNO"), "A1");
  EXPECT_EQ(codeOf("DUE"), "B2");
  EXPECT_EQ(codeOf("SEGNO"), "Z-5");
  EXPECT_EQ(codeOf("PIU"), "Z7");
  EXPECT_EQ(codeOf("SPAZIO"), " 7");
  EXPECT_EQ(codeOf("roma"), "X999");
  EXPECT_EQ(codeOf("PRIMIERO SAN MARTINO DI CASTROZZA"), "M359");
  // A number beyond 32 bits is refused, not cut to fit.
  EXPECT_EQ(codeOf("GRANDE"), "none");
  EXPECT_EQ(codeOf("DOPPIO"), "A2");
  EXPECT_EQ(codeOf("ULTIMO"), "U9");
  EXPECT_EQ(codeOf("Roma"), "none");
  EXPECT_EQ(codeOf("SANGIOVANNI IN PERSICETO"), "none");
  EXPECT_EQ(municipalityTable().size(), 16u);
}

TEST_F(MunicipalityFile, SkipsRecordsCutShortOrWithoutANumber) {
  for (std::string tail : {"TRONCO", "TRONCO\t", "TRONCO\tX", "TRONCO\tX-", "TRONCO\tX  \n"}) {
    writeFile("risorsa.cf.txt", "ROMA\tH501\n" + tail);
    ASSERT_EQ(loadHere(), 1) << tail;
    EXPECT_EQ(municipalityTable().size(), 1u) << tail;
    releaseMunicipalities();
  }
  // Where the number is missing, what follows the letter starts the next name.
  writeFile("risorsa.cf.txt", "SENZA\tH\nROMA\tH501\n");
  ASSERT_EQ(loadHere(), 1);
  EXPECT_EQ(codeOf("SENZA"), "none");
  EXPECT_EQ(codeOf("ROMA"), "H501");
}

TEST_F(MunicipalityFile, AnEmptyFileLoadsAnEmptyTable) {
  writeFile("risorsa.cf.txt", "");
  EXPECT_EQ(loadHere(), 1);
  EXPECT_EQ(municipalityTable().size(), 0u);
  EXPECT_TRUE(municipalitiesLoaded());
}

TEST_F(MunicipalityFile, WithoutAReadableFileNothingChanges) {
  writeFile("risorsa.cf.txt", "ROMA\tH501\n");
  ASSERT_EQ(loadHere(), 1);
  fs::remove("risorsa.cf.txt");
  EXPECT_EQ(loadHere(), 0);
  fs::create_directory("risorsa.cf.txt");
  EXPECT_EQ(loadHere(), 0);
  EXPECT_EQ(municipalityTable().size(), 1u);
  EXPECT_EQ(codeOf("ROMA"), "H501");
}

TEST_F(MunicipalityFile, TheWorkingDirectoryWinsOverTheDataDirectories) {
  fs::create_directories("data/empty");
  fs::create_directories("data/shipped");
  writeFile("data/shipped/risorsa.cf.txt", "ROMA\tH501\n");
  std::vector<fs::path> directories = {"data/missing", "data/empty", "data/shipped"};
  ASSERT_EQ(loadMunicipalities(directories), 1);
  EXPECT_EQ(codeOf("ROMA"), "H501");
  releaseMunicipalities();

  // A directory in the working directory counts as no file at all.
  fs::create_directory("risorsa.cf.txt");
  ASSERT_EQ(loadMunicipalities(directories), 1);
  EXPECT_EQ(codeOf("ROMA"), "H501");
  releaseMunicipalities();
  fs::remove("risorsa.cf.txt");

  writeFile("risorsa.cf.txt", "ROMA\tX1\n");
  ASSERT_EQ(loadMunicipalities(directories), 1);
  EXPECT_EQ(codeOf("ROMA"), "X1");
  EXPECT_EQ(municipalityTable().size(), 1u);
  releaseMunicipalities();

  // Even one too large to load: that fails, rather than using another.
  fs::resize_file("risorsa.cf.txt", municipalityFileLimit + 1);
  EXPECT_EQ(loadMunicipalities(directories), 0);
  EXPECT_EQ(municipalityTable().size(), 0u);
}

TEST_F(MunicipalityFile, TheShippedFileGivesEveryNameItsLastCode) {
  ASSERT_EQ(loadMunicipalities(shippedDataDirectories()), 1);
  // Read back independently: one "NAME<TAB>CODE" per line, the last code of a
  // name being the one that counts.
  std::ifstream shipped(fs::path(shippedDataDirectories().back()) / "risorsa.cf.txt");
  std::map<std::string, std::string> lastCode;
  std::size_t lines = 0;
  for (std::string line; std::getline(shipped, line); ++lines) {
    std::size_t tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    std::string code = line.substr(tab + 1);
    // The stored number has no leading zeros.
    lastCode[line.substr(0, tab)] = code[0] + std::to_string(std::stoi(code.substr(1)));
  }
  EXPECT_GT(lines, 13000u);
  EXPECT_EQ(municipalityTable().size(), lines);
  for (const auto& [name, code] : lastCode)
    EXPECT_EQ(codeOf(name), code) << name;
}
