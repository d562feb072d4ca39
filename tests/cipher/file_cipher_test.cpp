#include "cipher/file_cipher.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "dialogue.h"

namespace {

const std::string done = "File processato correttamente.\n\n";

std::string xorOneByOne(std::string bytes, const std::string& key) {
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<char>(bytes[i] ^ key[i % key.size()]);
  return bytes;
}

}  // namespace

// The round trip of a text file is in the transcripts; here every byte
// value, and a file read in several blocks, come out as one at a time.
TEST(EncryptFile, XorsEveryByteOfAFileOfAnyLength) {
  MemoryFileSystem files;
  std::string plain(3 * 64 * 1024 + 12345, '\0');
  for (std::size_t i = 0; i < plain.size(); ++i)
    plain[i] = static_cast<char>(i * 131 + i / 977);
  files.writeFile("big", plain);
  std::ostringstream out;
  encryptFile(files, out, "big", "big.out", "Lunga");
  decryptFile(files, out, "big.out", "back", "Lunga");
  EXPECT_EQ(out.str(), done + done);
  EXPECT_EQ(files.content("big.out"), xorOneByOne(plain, "Lunga"));
  EXPECT_EQ(files.content("back"), plain);
}

// The input is checked before the key, and both before the output is
// touched; a directory or FIFO counts as no input. A name that cannot be
// created, a disk that fills part-way and a finished file that cannot take
// its name (it became a directory meanwhile) are each reported, and the
// output keeps what it held.
TEST(EncryptFile, ReportsEachFailureAndKeepsTheOutput) {
  enum Fault { none, fullDisk, failedCommit };
  const std::string missing = "Errore: il file di input non esiste.\n";
  const std::string badKey = "Errore: la chiave deve contenere solo caratteri alfabetici.\n";
  const std::string refused = "Errore: impossibile creare il file di output.\n\n";
  const std::string unwritten = "Errore: impossibile scrivere il file di output.\n\n";
  const struct {
    const char* input;
    const char* output;
    const char* key;
    Fault fault;
    std::string expected;
  } cases[] = {
      {"missing", "old.bin", "k3y", none, missing},
      {"folder", "old.bin", "Key", none, missing},
      {"fifo", "old.bin", "Key", none, missing},
      {"plain", "old.bin", "a-b", none, badKey},
      {"plain", "old.bin", "", none, ""},
      {"plain", "folder", "Key", none, refused},
      {"plain", "locked", "Key", none, refused},
      {"plain", "old.bin", "Key", fullDisk, unwritten},
      {"plain", "old.bin", "Key", failedCommit, unwritten},
  };
  for (const auto& c : cases) {
    MemoryFileSystem files;
    files.writeFile("plain", std::string(100000, 'x'));
    files.writeFile("old.bin", "vecchio");
    files.writeFile("locked", "vecchio");
    files.refuse("locked");
    files.makeDirectory("folder");
    files.makeSpecial("fifo");
    if (c.fault == fullDisk)
      files.failWritesAfter(70000);
    if (c.fault == failedCommit)
      files.failCommits();
    std::ostringstream out;
    encryptFile(files, out, c.input, c.output, c.key);
    EXPECT_EQ(out.str(), c.expected) << c.input << " " << c.output << " " << c.fault;
    bool kept =
        files.content(c.output) ==
        (c.output == std::string("folder") ? std::nullopt : std::optional<std::string>("vecchio"));
    EXPECT_TRUE(kept) << c.output << " " << c.fault;
  }
}

// The cipher transcripts hold the dialogue's worked examples.
TEST(RunFileCipher, RefusesOtherChoices) {
  const std::string menu =
      "\nAttenzione: inserire il nome del file (non deve contenere spazi) con la dovuta "
      "estenzione (.txt ecc..), sia in input che output.\nEs: filename.txt (not file name.txt "
      "or file name)\n\nSeleziona un'azione da eseguire:\n1. Cifrare un file\n2. Decifrare un "
      "file\n\nPath: ";
  for (std::string choice : {"3\n", "a\n", ""})
    EXPECT_EQ(runDialogue(runFileCipher, choice), menu + "\n\nScelta non valida.\n") << choice;
}
