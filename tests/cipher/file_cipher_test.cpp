#include "cipher/file_cipher.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "dialogue.h"

namespace {

const std::string done = "File processato correttamente.\n\n";
const std::string missingInput = "Errore: il file di input non esiste.\n";
const std::string badKey = "Errore: la chiave deve contenere solo caratteri alfabetici.\n";
const std::string refused = "Errore: impossibile creare il file di output.\n\n";
const std::string menu =
    "\nAttenzione: inserire il nome del file (non deve contenere spazi) con la dovuta estenzione "
    "(.txt ecc..), sia in input che output.\nEs: filename.txt (not file name.txt or file name)\n\n"
    "Seleziona un'azione da eseguire:\n1. Cifrare un file\n2. Decifrare un file\n\nPath: ";

std::string encrypt(MemoryFileSystem& files, const std::string& input, const std::string& output,
                    const std::string& key) {
  std::ostringstream out;
  encryptFile(files, out, input, output, key);
  return out.str();
}

std::string decrypt(MemoryFileSystem& files, const std::string& input, const std::string& output,
                    const std::string& key) {
  std::ostringstream out;
  decryptFile(files, out, input, output, key);
  return out.str();
}

std::string xorOneByOne(std::string bytes, const std::string& key) {
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<char>(bytes[i] ^ key[i % key.size()]);
  return bytes;
}

}  // namespace

TEST(EncryptFile, RoundTripGivesBackEveryByteAndBothDirectionsAgree) {
  MemoryFileSystem files;
  std::string plain = "riga\r\nriga\n\r\n";
  for (int byte = 0; byte < 256; ++byte)
    plain += static_cast<char>(byte);
  files.writeFile("plain.txt", plain);
  EXPECT_EQ(encrypt(files, "plain.txt", "secret.bin", "Chiave"), done);
  EXPECT_EQ(files.content("secret.bin"), xorOneByOne(plain, "Chiave"));
  EXPECT_EQ(decrypt(files, "secret.bin", "back.txt", "Chiave"), done);
  EXPECT_EQ(files.content("back.txt"), plain);
  EXPECT_EQ(decrypt(files, "plain.txt", "secret2.bin", "Chiave"), done);
  EXPECT_EQ(files.content("secret2.bin"), files.content("secret.bin"));
}

TEST(EncryptFile, StreamsFilesOfAnyLengthLikeOneByteAtATime) {
  MemoryFileSystem files;
  std::string plain(3 * 64 * 1024 + 12345, '\0');
  for (std::size_t i = 0; i < plain.size(); ++i)
    plain[i] = static_cast<char>(i * 131 + i / 977);
  files.writeFile("big", plain);
  files.writeFile("empty", "");
  EXPECT_EQ(encrypt(files, "big", "big.out", "Lunga"), done);
  EXPECT_EQ(files.content("big.out"), xorOneByOne(plain, "Lunga"));
  EXPECT_EQ(encrypt(files, "empty", "empty.out", "K"), done);
  EXPECT_EQ(files.content("empty.out"), "");
}

// A directory, FIFO or device counts as no input at all.
TEST(EncryptFile, ChecksTheInputThenTheKeyBeforeTouchingTheOutput) {
  MemoryFileSystem files;
  files.writeFile("plain.txt", "testo");
  files.writeFile("old.bin", "contenuto di prima");
  files.makeDirectory("folder");
  files.makeSpecial("fifo");
  EXPECT_EQ(encrypt(files, "missing.txt", "old.bin", "k3y"), missingInput);
  EXPECT_EQ(decrypt(files, "plain.txt", "old.bin", "a-b"), badKey);
  EXPECT_EQ(encrypt(files, "plain.txt", "old.bin", ""), "");
  for (const char* input : {"missing.txt", "folder", "fifo"})
    EXPECT_EQ(encrypt(files, input, "new.bin", "Key"), missingInput) << input;
  EXPECT_EQ(files.content("old.bin"), "contenuto di prima");
  EXPECT_EQ(files.status("new.bin").kind, FileKind::missing);
}

// The same name twice is in a transcript.
TEST(EncryptFile, ReplacesTheInputWhenBothNamesAreTheSameFile) {
  MemoryFileSystem files;
  files.writeFile("diario.txt", "caro diario\r\n");
  EXPECT_EQ(decrypt(files, "diario.txt", "diario.txt", "Segreto"), done);
  EXPECT_EQ(files.content("diario.txt"), xorOneByOne("caro diario\r\n", "Segreto"));
}

// A name that cannot be created says so; a disk that fills part-way is a
// write error; either way the output keeps what it held.
TEST(EncryptFile, ReportsAnOutputThatCannotBeWrittenAndKeepsItsContent) {
  MemoryFileSystem files;
  files.writeFile("plain.txt", std::string(100000, 'x'));
  files.writeFile("locked.bin", "vecchio");
  files.writeFile("old.bin", "vecchio");
  files.makeDirectory("folder");
  files.refuse("locked.bin");
  EXPECT_EQ(encrypt(files, "plain.txt", "folder", "Key"), refused);
  EXPECT_EQ(encrypt(files, "plain.txt", "locked.bin", "Key"), refused);
  EXPECT_EQ(files.content("locked.bin"), "vecchio");
  files.failWritesAfter(70000);
  EXPECT_EQ(encrypt(files, "plain.txt", "old.bin", "Key"),
            "Errore: impossibile scrivere il file di output.\n\n");
  EXPECT_EQ(files.content("old.bin"), "vecchio");
}

// The cipher transcripts hold the dialogue's worked examples.
TEST(RunFileCipher, RefusesOtherChoices) {
  for (std::string choice : {"3\n", "a\n", ""})
    EXPECT_EQ(runDialogue(runFileCipher, choice), menu + "\n\nScelta non valida.\n") << choice;
}
