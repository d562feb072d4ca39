// The host's FileSystem, over the system's file primitives.
#include "platform/host_file_system.h"

#include <filesystem>
#include <system_error>

#include "platform/append_file.h"
#include "platform/input_file.h"
#include "platform/native_path.h"
#include "platform/output_file.h"

namespace {

Status failure(Status::Code code, const std::string& path, const char* why) {
  return Status::failure(code, path + ": " + why);
}

class HostReadableFile : public ReadableFile {
 public:
  Result<std::size_t> read(char* buffer, std::size_t capacity) override {
    std::ptrdiff_t count = file.read(buffer, capacity);
    if (count < 0)
      return Status::failure(Status::Code::ioError, "errore di lettura");
    return static_cast<std::size_t>(count);
  }
  std::uint64_t size() const override { return file.size(); }

  InputFile file;
};

class HostReplacementFile : public ReplacementFile {
 public:
  Status write(std::string_view data) override {
    if (!file.write(data.data(), data.size()))
      return Status::failure(Status::Code::ioError, "errore di scrittura");
    return Status::ok();
  }
  Status commit() override {
    if (!file.commit())
      return Status::failure(Status::Code::ioError, "impossibile completare il file");
    return Status::ok();
  }

  OutputFile file;
};

class HostFileSystem : public FileSystem {
 public:
  Result<std::unique_ptr<ReadableFile>> openForReading(const std::string& path) override {
    auto opened = std::make_unique<HostReadableFile>();
    if (!opened->file.open(path))
      return failure(kindOfFailure(path), path, "impossibile aprire il file");
    return std::unique_ptr<ReadableFile>(std::move(opened));
  }

  Result<std::unique_ptr<ReplacementFile>> startReplacing(const std::string& path) override {
    auto started = std::make_unique<HostReplacementFile>();
    if (!started->file.open(path))
      return failure(Status::Code::refused, path, "impossibile creare il file");
    return std::unique_ptr<ReplacementFile>(std::move(started));
  }

  Status appendText(const std::string& path, std::string_view text) override {
    if (!appendToFile(path, text))
      return failure(Status::Code::ioError, path, "impossibile scrivere il file");
    return Status::ok();
  }

  Status truncate(const std::string& path) override {
    if (!truncateFile(path))
      return failure(Status::Code::ioError, path, "impossibile svuotare il file");
    return Status::ok();
  }

  Status remove(const std::string& path) override {
    std::error_code error;
    if (!std::filesystem::remove(nativePath(path), error))
      return failure(error ? Status::Code::ioError : Status::Code::notFound, path,
                     "impossibile rimuovere il file");
    return Status::ok();
  }

  FileStatus status(const std::string& path) override {
    std::error_code error;
    std::filesystem::file_status found = std::filesystem::status(nativePath(path), error);
    if (error || !std::filesystem::exists(found))
      return {};
    if (std::filesystem::is_directory(found))
      return {FileKind::directory, 0};
    if (!std::filesystem::is_regular_file(found))
      return {FileKind::other, 0};
    std::uintmax_t size = std::filesystem::file_size(nativePath(path), error);
    return {FileKind::regular, error ? 0 : static_cast<std::uint64_t>(size)};
  }

 private:
  Status::Code kindOfFailure(const std::string& path) {
    switch (status(path).kind) {
      case FileKind::missing:
        return Status::Code::notFound;
      case FileKind::regular:
        return Status::Code::refused;
      default:
        return Status::Code::wrongKind;
    }
  }
};

}  // namespace

FileSystem& hostFileSystem() {
  static HostFileSystem files;
  return files;
}
