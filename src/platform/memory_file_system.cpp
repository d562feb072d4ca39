// The in-memory FileSystem.
#include "platform/memory_file_system.h"

#include <algorithm>
#include <cstring>

namespace {

Status failure(Status::Code code, const std::string& path, const char* why) {
  return Status::failure(code, path + ": " + why);
}

// The content the file had when opened, and whatever is appended to it
// since; replacing the file while reading it reads the old content, as on
// disk.
class MemoryReadableFile : public ReadableFile {
 public:
  explicit MemoryReadableFile(std::shared_ptr<const std::string> content)
      : content_(std::move(content)), size_(content_->size()) {}

  Result<std::size_t> read(char* buffer, std::size_t capacity) override {
    std::size_t count = std::min(capacity, content_->size() - position_);
    std::memcpy(buffer, content_->data() + position_, count);
    position_ += count;
    return count;
  }
  std::uint64_t size() const override { return size_; }

 private:
  std::shared_ptr<const std::string> content_;
  std::uint64_t size_;
  std::size_t position_ = 0;
};

class MemoryReplacementFile : public ReplacementFile {
 public:
  MemoryReplacementFile(MemoryFileSystem& files, std::string path)
      : files_(files), path_(std::move(path)) {}

  Status write(std::string_view data) override {
    if (!files_.spend(data.size()))
      return failure(Status::Code::ioError, path_, "spazio esaurito sul dispositivo");
    content_.append(data);
    return Status::ok();
  }
  Status commit() override {
    if (files_.commitsFail())
      return failure(Status::Code::wrongKind, path_, "è una cartella");
    files_.store(path_, std::move(content_));
    return Status::ok();
  }

 private:
  MemoryFileSystem& files_;
  std::string path_;
  std::string content_;
};

}  // namespace

void MemoryFileSystem::writeFile(const std::string& path, std::string content) {
  store(path, std::move(content));
}

void MemoryFileSystem::makeDirectory(const std::string& path) {
  nodes_[path] = Node{FileKind::directory};
}

void MemoryFileSystem::makeSpecial(const std::string& path) {
  nodes_[path] = Node{FileKind::other};
}

std::optional<std::string> MemoryFileSystem::content(const std::string& path) const {
  auto found = nodes_.find(path);
  if (found == nodes_.end() || found->second.kind != FileKind::regular)
    return std::nullopt;
  return *found->second.content;
}

bool MemoryFileSystem::spend(std::size_t size) {
  if (!writeBudget_)
    return true;
  if (size > *writeBudget_) {
    *writeBudget_ = 0;
    return false;
  }
  *writeBudget_ -= size;
  return true;
}

void MemoryFileSystem::store(const std::string& path, std::string content) {
  nodes_[path] = Node{FileKind::regular, std::make_shared<std::string>(std::move(content))};
}

Status MemoryFileSystem::checkWritable(const std::string& path) const {
  if (refused_.contains(path))
    return failure(Status::Code::refused, path, "permesso negato");
  auto found = nodes_.find(path);
  if (found != nodes_.end() && found->second.kind != FileKind::regular)
    return notRegularFile(path);
  return Status::ok();
}

Result<std::unique_ptr<ReadableFile>> MemoryFileSystem::openForReading(const std::string& path) {
  if (refused_.contains(path))
    return failure(Status::Code::refused, path, "permesso negato");
  auto found = nodes_.find(path);
  if (found == nodes_.end())
    return failure(Status::Code::notFound, path, "file inesistente");
  if (found->second.kind != FileKind::regular)
    return notRegularFile(path);
  return std::unique_ptr<ReadableFile>(std::make_unique<MemoryReadableFile>(found->second.content));
}

Result<std::unique_ptr<ReplacementFile>> MemoryFileSystem::startReplacing(const std::string& path) {
  if (Status writable = checkWritable(path); !writable.isOk())
    return writable;
  return std::unique_ptr<ReplacementFile>(std::make_unique<MemoryReplacementFile>(*this, path));
}

Status MemoryFileSystem::appendText(const std::string& path, std::string_view text) {
  if (Status writable = checkWritable(path); !writable.isOk())
    return writable;
  std::string lines;
  for (char c : text) {
    if (c == '\n')
      lines += lineEnd_;
    else
      lines += c;
  }
  if (!spend(lines.size()))
    return failure(Status::Code::ioError, path, "spazio esaurito sul dispositivo");
  nodes_[path].content->append(lines);
  return Status::ok();
}

Status MemoryFileSystem::truncate(const std::string& path) {
  if (Status writable = checkWritable(path); !writable.isOk())
    return writable;
  nodes_[path].content->clear();
  return Status::ok();
}

Status MemoryFileSystem::remove(const std::string& path) {
  if (refused_.contains(path))
    return failure(Status::Code::refused, path, "permesso negato");
  if (nodes_.erase(path) == 0)
    return failure(Status::Code::notFound, path, "file inesistente");
  return Status::ok();
}

FileStatus MemoryFileSystem::status(const std::string& path) {
  auto found = nodes_.find(path);
  if (found == nodes_.end())
    return {};
  return {found->second.kind, found->second.content->size()};
}
