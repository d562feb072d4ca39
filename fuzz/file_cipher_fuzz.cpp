// Fuzzes the file cipher: enciphering and then deciphering with the same key
// gives the file back, into another file or over the same one; every byte
// changes on the way, as a key of letters has no zero byte; a key that is not
// all letters leaves the output untouched; and the key stream gives the same
// bytes whatever the blocks it is applied in.
#include <algorithm>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "cipher/file_cipher.h"
#include "cipher/key_stream.h"
#include "fuzz_support.h"
#include "platform/memory_file_system.h"

namespace {

constexpr const char* plainName = "plain.txt";
constexpr const char* cipheredName = "ciphered.txt";
constexpr const char* roundTripName = "round_trip.txt";

std::string contentOf(MemoryFileSystem& files, const std::string& name) {
  return files.content(name).value_or("");
}

std::string xorWithKey(std::string_view content, std::string_view key) {
  std::string result(content);
  for (std::size_t i = 0; i < result.size(); ++i)
    result[i] = static_cast<char>(result[i] ^ key[i % key.size()]);
  return result;
}

void checkRefusedKey(MemoryFileSystem& files, std::string_view content, const std::string& key) {
  std::ostringstream out;
  encryptFile(files, out, plainName, cipheredName, key);
  fuzzCheck(contentOf(files, plainName) == content, "the input is never changed");
  fuzzCheck(files.status(cipheredName).kind == FileKind::missing, "a refused key writes no output");
}

void checkRoundTrip(MemoryFileSystem& files, std::string_view content, const std::string& key) {
  std::ostringstream out;
  encryptFile(files, out, plainName, cipheredName, key);
  decryptFile(files, out, cipheredName, roundTripName, key);
  std::string ciphered = contentOf(files, cipheredName);
  fuzzCheck(ciphered == xorWithKey(content, key), "each byte goes with its key byte");
  for (std::size_t i = 0; i < content.size(); ++i)
    fuzzCheck(ciphered[i] != content[i], "every byte changes");
  fuzzCheck(contentOf(files, roundTripName) == content, "deciphering gives the input back");
  fuzzCheck(contentOf(files, plainName) == content, "the input is never changed");

  // In place: the file being read is the one being replaced.
  encryptFile(files, out, plainName, plainName, key);
  decryptFile(files, out, plainName, plainName, key);
  fuzzCheck(contentOf(files, plainName) == content, "a round trip in place gives the input back");
}

// Applies the stream in blocks whose sizes come from `sizes`, cycling; empty
// blocks included, then whatever is left in one block.
void checkBlocks(std::string_view content, const std::string& key, std::string_view sizes) {
  std::vector<char> bytes(content.begin(), content.end());
  KeyStream stream(key);
  std::size_t done = 0;
  for (std::size_t turn = 0; turn < 4 * sizes.size() && done < bytes.size(); ++turn) {
    std::size_t wanted = static_cast<unsigned char>(sizes[turn % sizes.size()]);
    std::size_t count = std::min(wanted, bytes.size() - done);
    stream.apply(std::span<char>(bytes.data() + done, count));
    done += count;
  }
  stream.apply(std::span<char>(bytes.data() + done, bytes.size() - done));
  fuzzCheck(std::string(bytes.begin(), bytes.end()) == xorWithKey(content, key),
            "blocks of any sizes give the same stream");
}

}  // namespace

// The first byte gives the key's length, the bytes after it the key, then
// one byte the length of the block sizes, those sizes, and the rest is the
// file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes = asText(data, size);
  if (bytes.empty())
    return 0;
  std::size_t keyLength = static_cast<unsigned char>(bytes[0]) % 32;
  std::string key(bytes.substr(1, keyLength));
  bytes.remove_prefix(std::min(bytes.size(), 1 + keyLength));
  std::size_t sizesLength = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) % 16;
  std::string_view sizes = bytes.substr(bytes.empty() ? 0 : 1, sizesLength);
  bytes.remove_prefix(std::min(bytes.size(), 1 + sizesLength));
  std::string_view content = bytes;

  MemoryFileSystem files;
  files.writeFile(plainName, std::string(content));
  if (key.empty())
    return 0;
  if (!isCipherKey(key)) {
    checkRefusedKey(files, content, key);
    return 0;
  }
  checkRoundTrip(files, content, key);
  checkBlocks(content, key, sizes);
  return 0;
}
