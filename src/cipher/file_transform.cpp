// A whole file run through the repeating-key XOR into another file.
#include "cipher/file_transform.h"

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

#include "cipher/key_stream.h"

namespace {

constexpr std::size_t blockSize = 64 * 1024;

// Whatever the system's reason, the output could not be written.
Status writeFailure(const Status& failure) {
  return Status::failure(Status::Code::ioError, failure.message());
}

}  // namespace

Status transformFile(FileSystem& files, const std::string& inputName, const std::string& outputName,
                     std::string_view key) {
  Result<std::unique_ptr<ReadableFile>> input = files.openForReading(inputName);
  if (!input.isOk())
    return Status::failure(Status::Code::notFound, input.status().message());
  Result<std::unique_ptr<ReplacementFile>> output = files.startReplacing(outputName);
  if (!output.isOk())
    return Status::failure(Status::Code::refused, output.status().message());
  KeyStream stream(key);
  std::vector<char> block(blockSize);
  for (;;) {
    Result<std::size_t> got = (*input)->read(block.data(), block.size());
    if (!got.isOk())
      return Status::failure(Status::Code::invalid, got.status().message());
    if (*got == 0)
      break;
    std::span<char> bytes(block.data(), *got);
    stream.apply(bytes);
    if (Status written = (*output)->write(std::string_view(bytes.data(), bytes.size()));
        !written.isOk())
      return writeFailure(written);
  }
  // Windows will not put a file in the place of one that is still open, and
  // the output may be the input itself.
  input->reset();
  if (Status committed = (*output)->commit(); !committed.isOk())
    return writeFailure(committed);
  return Status::ok();
}
