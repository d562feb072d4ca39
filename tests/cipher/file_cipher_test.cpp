#include "cipher/file_cipher.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "dialogue.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

namespace fs = std::filesystem;

namespace {

const std::string done = "File processato correttamente.\n\n";
const std::string missingInput = "Errore: il file di input non esiste.\n";
const std::string badKey = "Errore: la chiave deve contenere solo caratteri alfabetici.\n";
const std::string menu =
    "\nAttenzione: inserire il nome del file (non deve contenere spazi) con la dovuta estenzione "
    "(.txt ecc..), sia in input che output.\nEs: filename.txt (not file name.txt or file name)\n\n"
    "Seleziona un'azione da eseguire:\n1. Cifrare un file\n2. Decifrare un file\n\nPath: ";

std::string encrypt(const std::string& input, const std::string& output, const std::string& key) {
  std::ostringstream out;
  encryptFile(out, input, output, key);
  return out.str();
}

std::string decrypt(const std::string& input, const std::string& output, const std::string& key) {
  std::ostringstream out;
  decryptFile(out, input, output, key);
  return out.str();
}

std::string xorOneByOne(std::string bytes, const std::string& key) {
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<char>(bytes[i] ^ key[i % key.size()]);
  return bytes;
}

std::set<std::string> filesHere() {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator("."))
    names.insert(entry.path().filename().string());
  return names;
}

}  // namespace

TEST(EncryptFile, RoundTripGivesBackEveryByteAndBothDirectionsAgree) {
  ScratchDirectory directory;
  std::string plain = "riga\r\nriga\n\r\n";
  for (int byte = 0; byte < 256; ++byte)
    plain += static_cast<char>(byte);
  writeFile("plain.txt", plain);
  EXPECT_EQ(encrypt("plain.txt", "secret.bin", "Chiave"), done);
  EXPECT_EQ(fileContent("secret.bin"), xorOneByOne(plain, "Chiave"));
  EXPECT_EQ(decrypt("secret.bin", "back.txt", "Chiave"), done);
  EXPECT_EQ(fileContent("back.txt"), plain);
  EXPECT_EQ(decrypt("plain.txt", "secret2.bin", "Chiave"), done);
  EXPECT_EQ(fileContent("secret2.bin"), fileContent("secret.bin"));
}

TEST(EncryptFile, StreamsFilesOfAnyLengthLikeOneByteAtATime) {
  ScratchDirectory directory;
  std::string plain(3 * 64 * 1024 + 12345, '\0');
  for (std::size_t i = 0; i < plain.size(); ++i)
    plain[i] = static_cast<char>(i * 131 + i / 977);
  writeFile("big", plain);
  writeFile("empty", "");
  EXPECT_EQ(encrypt("big", "big.out", "Lunga"), done);
  EXPECT_EQ(fileContent("big.out"), xorOneByOne(plain, "Lunga"));
  EXPECT_EQ(encrypt("empty", "empty.out", "K"), done);
  EXPECT_TRUE(fs::exists("empty.out"));
  EXPECT_EQ(fileContent("empty.out"), "");
}

TEST(EncryptFile, ChecksTheInputThenTheKeyBeforeTouchingTheOutput) {
  ScratchDirectory directory;
  writeFile("plain.txt", "testo");
  writeFile("old.bin", "contenuto di prima");
  EXPECT_EQ(encrypt("missing.txt", "old.bin", "k3y"), missingInput);
  EXPECT_EQ(decrypt("plain.txt", "old.bin", "a-b"), badKey);
  EXPECT_EQ(encrypt("plain.txt", "old.bin", ""), "");
  EXPECT_EQ(encrypt("missing.txt", "new.bin", "Key"), missingInput);
  EXPECT_EQ(fileContent("old.bin"), "contenuto di prima");
  EXPECT_EQ(filesHere(), (std::set<std::string>{"old.bin", "plain.txt"}));
}

// The same name twice is in a transcript; another name of the same file is not.
TEST(EncryptFile, ReplacesTheInputWhenBothNamesAreTheSameFile) {
  ScratchDirectory directory;
  writeFile("diario.txt", "caro diario\r\n");
  EXPECT_EQ(decrypt("diario.txt", "./diario.txt", "Segreto"), done);
  EXPECT_EQ(fileContent("diario.txt"), xorOneByOne("caro diario\r\n", "Segreto"));
  EXPECT_EQ(filesHere(), std::set<std::string>{"diario.txt"});
}

TEST(EncryptFile, ReportsAnOutputThatCannotBeCreated) {
  ScratchDirectory directory;
  writeFile("plain.txt", "testo");
  fs::create_directory("folder");
  const std::string refused = "Errore: impossibile creare il file di output.\n\n";
  EXPECT_EQ(encrypt("plain.txt", "folder", "Key"), refused);
  EXPECT_TRUE(fs::is_empty("folder"));
}

#ifndef _WIN32
TEST(EncryptFile, RefusesAnOutputClosedToWriting) {
  if (geteuid() == 0)
    GTEST_SKIP() << "root writes everywhere";
  ScratchDirectory directory;
  writeFile("plain.txt", "testo");
  writeFile("locked.bin", "vecchio");
  chmod("locked.bin", 0444);
  fs::create_directory("folder");
  chmod("folder", 0555);
  const std::string refused = "Errore: impossibile creare il file di output.\n\n";
  EXPECT_EQ(encrypt("plain.txt", "folder/out.bin", "Key"), refused);
  EXPECT_EQ(encrypt("plain.txt", "locked.bin", "Key"), refused);
  chmod("folder", 0755);
  EXPECT_TRUE(fs::is_empty("folder"));
  EXPECT_EQ(fileContent("locked.bin"), "vecchio");
}

TEST(EncryptFile, KeepsTheModeOfTheFileItReplaces) {
  ScratchDirectory directory;
  writeFile("plain.txt", "testo");
  writeFile("private.bin", "vecchio");
  chmod("private.bin", 0640);
  EXPECT_EQ(encrypt("plain.txt", "private.bin", "Key"), done);
  struct stat status {};
  ASSERT_EQ(stat("private.bin", &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
}
#endif

#ifdef __linux__
// The process's own memory reads as a regular file whose first page fails.
TEST(EncryptFile, ReportsAReadErrorAndKeepsTheOldOutput) {
  ScratchDirectory directory;
  writeFile("old.bin", "vecchio");
  EXPECT_EQ(encrypt("/proc/self/mem", "old.bin", "Key"),
            "Errore: impossibile leggere il file di input.\n\n");
  EXPECT_EQ(fileContent("old.bin"), "vecchio");
  EXPECT_EQ(filesHere(), std::set<std::string>{"old.bin"});
}

// A file-size limit makes writes fail part-way, as a full disk would.
TEST(EncryptFile, ReportsAWriteErrorAndKeepsTheOldOutput) {
  ScratchDirectory directory;
  writeFile("big", std::string(1 << 20, 'x'));
  writeFile("old.bin", "vecchio");
  rlimit previous{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
  rlimit limited = previous;
  limited.rlim_cur = 200 * 1024;
  auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  std::string printed = encrypt("big", "old.bin", "Key");
  setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(printed, "Errore: impossibile scrivere il file di output.\n\n");
  EXPECT_EQ(fileContent("old.bin"), "vecchio");
  EXPECT_EQ(filesHere(), (std::set<std::string>{"big", "old.bin"}));
}
#endif

// The cipher transcripts hold the dialogue's worked examples.
TEST(RunFileCipher, RefusesOtherChoices) {
  ScratchDirectory directory;
  for (std::string choice : {"3\n", "a\n", ""})
    EXPECT_EQ(runDialogue(runFileCipher, choice), menu + "\n\nScelta non valida.\n") << choice;
}
