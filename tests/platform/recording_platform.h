// A Platform that only records what it was asked to do, written as the
// console command line each effect stands for.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "platform/platform.h"

class RecordingPlatform : public Platform {
 public:
  void setTitle(std::string_view title) override { effects.emplace_back("title ").append(title); }
  void clearScreen() override { effects.push_back("cls"); }
  void applyColours(char background, char text) override {
    effects.push_back(std::string("color ") + background + text);
  }
  void pause() override { effects.push_back("pause"); }
  bool isReachable(std::string_view host) override {
    effects.push_back("ping " + std::string(host));
    return online;
  }
  bool openPage(std::string_view address) override {
    effects.push_back("start " + std::string(address));
    return browserStarts;
  }
  Result<int> restart() override {
    effects.push_back("restart");
    if (newInstanceStatus)
      return *newInstanceStatus;
    return Status::failure(Status::Code::notFound, "restart failed");
  }
  FileSystem& files() override { return memoryFiles; }
  void sleepFor(std::chrono::milliseconds duration) override {
    effects.push_back("sleep " + std::to_string(duration.count()));
  }
  std::int64_t calendarSeconds() override { return clockSeconds; }
  Status fillRandom(std::span<unsigned char> bytes) override {
    if (bytes.size() > randomBytesLeft)
      return Status::failure(Status::Code::ioError, "no random source");
    randomBytesLeft -= bytes.size();
    randomBytesGiven += bytes.size();
    for (std::size_t at = 0; at < bytes.size(); at += 4, ++nextRandomValue)
      std::memcpy(bytes.data() + at, &nextRandomValue, std::min<std::size_t>(4, bytes.size() - at));
    return Status::ok();
  }
  void reportError(std::string_view message) override { errors.emplace_back(message); }
  void reportOutputFailure() override { errors.push_back("output failure"); }
  void expectCommandLine() override { ++commandLinesExpected; }
  void rememberCommandLine(std::string_view line) override {
    recalledCommandLines.emplace_back(line);
  }
  void forgetCommandLines() override { recalledCommandLines.clear(); }

  MemoryFileSystem memoryFiles;
  bool online = false;
  bool browserStarts = true;
  // Without `newInstanceStatus` a restart fails and this instance goes on.
  // The random source gives the 32-bit values 0, 1, 2, ... in the machine's
  // byte order, and fails once `randomBytesLeft` bytes have been given.
  std::optional<int> newInstanceStatus;
  std::int64_t clockSeconds = 5489;
  std::uint32_t nextRandomValue = 0;
  std::size_t randomBytesGiven = 0;
  std::size_t randomBytesLeft = SIZE_MAX;
  std::vector<std::string> effects;
  std::vector<std::string> errors;  // the lines written on standard error
  // The command prompt's recall list, and how many command lines were announced.
  std::vector<std::string> recalledCommandLines;
  int commandLinesExpected = 0;
};
