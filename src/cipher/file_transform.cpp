// A whole file run through the repeating-key XOR into another file.
#include "cipher/file_transform.h"

#include <cstddef>
#include <vector>

#include "cipher/key_stream.h"
#include "platform/input_file.h"
#include "platform/output_file.h"

namespace {

constexpr std::size_t blockSize = 64 * 1024;

}  // namespace

TransformResult transformFile(const std::string& inputName, const std::string& outputName,
                              std::string_view key) {
  InputFile input;
  if (!input.open(inputName))
    return TransformResult::inputMissing;
  OutputFile output;
  if (!output.open(outputName))
    return TransformResult::outputRefused;
  KeyStream stream(key);
  std::vector<char> block(blockSize);
  for (;;) {
    std::ptrdiff_t got = input.read(block.data(), block.size());
    if (got < 0)
      return TransformResult::readFailed;
    if (got == 0)
      break;
    std::span<char> bytes(block.data(), static_cast<std::size_t>(got));
    stream.apply(bytes);
    if (!output.write(bytes.data(), bytes.size()))
      return TransformResult::writeFailed;
  }
  // Windows will not put a file in the place of one that is still open, and
  // the output may be the input itself.
  input.close();
  return output.commit() ? TransformResult::done : TransformResult::writeFailed;
}
