#include "taxcode/municipality_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "platform/native_path.h"

namespace {

namespace fs = std::filesystem;

// The file's name inside `directory`, as the loader spells it.
std::string fileIn(const fs::path& directory) { return utf8Name(directory / municipalityFileName); }

// Each test loads from files held in memory, the working directory's
// under the bare name.
class MunicipalityFile : public ::testing::Test {
 protected:
  bool loadHere() { return load({}); }

  bool load(std::vector<fs::path> directories) {
    table = loadMunicipalities(files, directories);
    return table.isOk();
  }

  std::string codeOf(std::string_view name) const {
    std::optional<MunicipalityRecord> record = table->find(name);
    if (!record)
      return "none";
    return record->letter + std::to_string(record->number);
  }

  MemoryFileSystem files;
  Result<MunicipalityTable> table = Status::failure(Status::Code::notFound, "not loaded");
};

}  // namespace

TEST_F(MunicipalityFile, ReadsNameTabLetterNumberAndAnyWhiteSpaceAfter) {
  files.writeFile("risorsa.cf.txt",
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
  ASSERT_TRUE(loadHere());
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
  EXPECT_EQ(table->size(), 16u);
}

TEST_F(MunicipalityFile, SkipsRecordsCutShortOrWithoutANumber) {
  for (std::string tail : {"TRONCO", "TRONCO\t", "TRONCO\tX", "TRONCO\tX-", "TRONCO\tX  \n"}) {
    files.writeFile("risorsa.cf.txt", "ROMA\tH501\n" + tail);
    ASSERT_TRUE(loadHere()) << tail;
    EXPECT_EQ(table->size(), 1u) << tail;
  }
  // Where the number is missing, what follows the letter starts the next name.
  files.writeFile("risorsa.cf.txt", "SENZA\tH\nROMA\tH501\n");
  ASSERT_TRUE(loadHere());
  EXPECT_EQ(codeOf("SENZA"), "none");
  EXPECT_EQ(codeOf("ROMA"), "H501");
}

TEST_F(MunicipalityFile, FailsWithoutAReadableFile) {
  EXPECT_FALSE(loadHere());
  files.makeDirectory("risorsa.cf.txt");
  EXPECT_FALSE(loadHere());
}

TEST_F(MunicipalityFile, TheWorkingDirectoryWinsOverTheDataDirectories) {
  files.makeDirectory("empty");
  files.makeDirectory("shipped");
  files.writeFile(fileIn("shipped"), "ROMA\tH501\n");
  files.makeSpecial(fileIn("special"));
  std::vector<fs::path> directories = {"missing", "empty", "special", "shipped"};
  ASSERT_TRUE(load(directories));
  EXPECT_EQ(codeOf("ROMA"), "H501");

  // A directory, a FIFO, a file closed to us in the working directory count
  // as no file at all.
  files.makeDirectory("risorsa.cf.txt");
  ASSERT_TRUE(load(directories));
  EXPECT_EQ(codeOf("ROMA"), "H501");
  ASSERT_TRUE(files.remove("risorsa.cf.txt").isOk());
  files.makeSpecial("risorsa.cf.txt");
  ASSERT_TRUE(load(directories));
  EXPECT_EQ(codeOf("ROMA"), "H501");
  ASSERT_TRUE(files.remove("risorsa.cf.txt").isOk());

  files.writeFile("risorsa.cf.txt", "ROMA\tX1\n");
  ASSERT_TRUE(load(directories));
  EXPECT_EQ(codeOf("ROMA"), "X1");
  EXPECT_EQ(table->size(), 1u);

  // Even one too large to load: that fails, rather than using another.
  files.writeFile("risorsa.cf.txt", std::string(municipalityFileLimit + 1, '\n'));
  EXPECT_FALSE(load(directories));
  EXPECT_EQ(table.status().code(), Status::Code::tooLarge);
}

