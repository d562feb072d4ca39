// The whole-file operations shared by every FileSystem.
#include "platform/file_system.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

Result<std::string> readWholeFile(FileSystem& files, const std::string& path, std::size_t limit) {
  Result<std::unique_ptr<ReadableFile>> opened = files.openForReading(path);
  if (!opened.isOk())
    return opened.status();
  ReadableFile& file = **opened;
  auto tooLarge = [&] {
    return Status::failure(Status::Code::tooLarge, path + ": file troppo grande");
  };
  if (file.size() > limit)
    return tooLarge();
  std::string content;
  content.reserve(static_cast<std::size_t>(file.size()));
  std::array<char, 65536> block;
  for (;;) {
    Result<std::size_t> count = file.read(block.data(), block.size());
    if (!count.isOk())
      return count.status();
    if (*count == 0)
      return content;
    // A file reported small may still grow while it is read (a /proc file
    // says 0): the limit holds for what is actually read.
    if (*count > limit - content.size())
      return tooLarge();
    content.append(block.data(), *count);
  }
}

Status replaceWholeFile(FileSystem& files, const std::string& path, std::string_view content) {
  Result<std::unique_ptr<ReplacementFile>> started = files.startReplacing(path);
  if (!started.isOk())
    return started.status();
  ReplacementFile& file = **started;
  if (Status written = file.write(content); !written.isOk())
    return written;
  return file.commit();
}

Status fileFailure(const std::string& path, int error) {
  Status::Code code = Status::Code::ioError;
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      code = Status::Code::notFound;
      break;
    case EACCES:
    case EPERM:
    case ELOOP:
    case EROFS:
    case ENAMETOOLONG:
      code = Status::Code::refused;
      break;
    case EISDIR:
    case ENXIO:
      code = Status::Code::wrongKind;
      break;
    default:
      break;
  }
  return Status::failure(code, path + ": " + std::strerror(error != 0 ? error : EIO));
}

Status notRegularFile(const std::string& path) {
  return Status::failure(Status::Code::wrongKind, path + ": non e' un file regolare");
}

std::string temporaryNameIn(const std::string& folder) {
  std::random_device seed;
  char name[32];
  std::snprintf(name, sizeof name, "kalvex-%08x.tmp", static_cast<unsigned>(seed()));
  return folder + name;
}
