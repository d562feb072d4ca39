#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "cipher/file_cipher.h"
#include "cipher/key_stream.h"
#include "dialogue.h"

TEST(IsCipherKey, TakesAsciiLettersOnly) {
  using namespace std::string_view_literals;
  for (auto key : {""sv, "k3y"sv, "a b"sv, "\xe8"sv, "@"sv, "["sv, "`"sv, "{"sv, "ab\0c"sv})
    EXPECT_FALSE(isCipherKey(key)) << key;
  EXPECT_TRUE(isCipherKey("AZaz"));
}

// Blocks of any size, a file read in several, and positions past 4 GiB too.
TEST(KeyStream, GivesTheBytesOfOneAtATimeWhateverTheBlocks) {
  auto xorOneByOne = [](std::string bytes, const std::string& key) {
    for (std::size_t i = 0; i < bytes.size(); ++i)
      bytes[i] = static_cast<char>(bytes[i] ^ key[i % key.size()]);
    return bytes;
  };
  std::mt19937 random(7);
  std::string plain(3 * 64 * 1024 + 12345, '\0');
  for (char& c : plain)
    c = static_cast<char>(random());
  for (std::string key : {std::string("Q"), std::string("abcdefg"), std::string(4096, 'x') + "y"}) {
    std::string pieces = plain;
    KeyStream stream(key);
    for (std::size_t at = 0, size = 1; at < pieces.size(); at += size, size = size * 3 % 9001)
      stream.apply(std::span<char>(pieces).subspan(at, std::min(size, pieces.size() - at)));
    EXPECT_EQ(pieces, xorOneByOne(plain, key)) << key.size();
  }
  MemoryFileSystem files;
  files.writeFile("big", plain);
  std::ostringstream out;
  encryptFile(files, out, "big", "big.out", "Lunga");
  EXPECT_EQ(out.str(), "File processato correttamente.\n\n");
  EXPECT_EQ(files.content("big.out"), xorOneByOne(plain, "Lunga"));
  // A multiple of 7; cut to 32 bits it would be 3, giving "def".
  std::string bytes(3, '\0');
  KeyStream("abcdefg", (std::uint64_t{1} << 32) + 3).apply(bytes);
  EXPECT_EQ(bytes, "abc");
}

// The input (a directory or FIFO is none) is checked before the key, both
// before the output is touched; a failed output keeps what it held.
TEST(EncryptFile, ReportsEachFailureAndKeepsTheOutput) {
  enum Fault { none, fullDisk, failedCommit };
  const std::string missing = "Errore: il file di input non esiste.\n";
  const std::string refused = "Errore: impossibile creare il file di output.\n\n";
  const std::string unwritten = "Errore: impossibile scrivere il file di output.\n\n";
  std::tuple<std::string, std::string, std::string, Fault, std::string> cases[] = {
      {"folder", "old.bin", "k3y", none, missing}, {"fifo", "old.bin", "Key", none, missing},
      {"plain", "old.bin", "", none, ""}, {"plain", "folder", "Key", none, refused},
      {"plain", "locked", "Key", none, refused}, {"plain", "old.bin", "Key", fullDisk, unwritten},
      {"plain", "old.bin", "Key", failedCommit, unwritten}};
  for (const auto& [input, output, key, fault, expected] : cases) {
    MemoryFileSystem files;
    files.writeFile("plain", std::string(100000, 'x'));
    files.writeFile("old.bin", "vecchio");
    files.writeFile("locked", "vecchio");
    files.refuse("locked");
    files.makeDirectory("folder");
    files.makeSpecial("fifo");
    if (fault == fullDisk)
      files.failWritesAfter(70000);
    if (fault == failedCommit)
      files.failCommits();
    std::ostringstream out;
    encryptFile(files, out, input, output, key);
    EXPECT_EQ(out.str(), expected) << input << " " << output << " " << fault;
    auto kept = output == "folder" ? std::nullopt : std::optional<std::string>("vecchio");
    EXPECT_EQ(files.content(output), kept) << output << " " << fault;
  }
  const std::string other = "Path: \n\nScelta non valida.\n";
  // Input ending at the key question leaves nothing to do.
  expectEndings(runFileCipher, {{"3\n", other}, {"12\n", other}, {"", other},
                                {"1\nplain out\n", "Inserisci la chiave di cifratura: \n"}});
}
