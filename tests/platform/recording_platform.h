// A Platform that only records what it was asked to do, written as the
// console command line each effect stands for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "platform/platform.h"

class RecordingPlatform : public Platform {
 public:
  void setTitle(std::string_view title) override;
  void clearScreen() override;
  void applyColours(char background, char text) override;
  void pause() override;
  bool isReachable(std::string_view host) override;
  bool openPage(std::string_view address) override;
  Result<int> restart() override;
  FileSystem& files() override { return memoryFiles; }
  void sleepFor(std::chrono::milliseconds duration) override;
  std::int64_t calendarSeconds() override { return clockSeconds; }
  Status fillRandom(std::span<unsigned char> bytes) override;
  void reportError(std::string_view message) override;
  void reportOutputFailure() override;
  void expectCommandLine() override;
  void rememberCommandLine(std::string_view line) override;
  void forgetCommandLines() override;

  // The files the commands see, in memory.
  MemoryFileSystem memoryFiles;
  bool online = false;
  bool browserStarts = true;
  // Without `newInstanceStatus` no new instance can be started: the restart
  // fails, and this one goes on; with it, the new instance ran and ended so.
  // The calendar clock stands still at `clockSeconds`; the random source
  // gives the 32-bit values 0, 1, 2, ... in the machine's byte order, or
  // fails once `randomBytesLeft` bytes have been given.
  std::optional<int> newInstanceStatus;
  std::int64_t clockSeconds = 5489;
  std::uint32_t nextRandomValue = 0;
  std::size_t randomBytesGiven = 0;
  std::size_t randomBytesLeft = SIZE_MAX;
  std::vector<std::string> effects;
  // The lines written on standard error.
  std::vector<std::string> errors;
  // The command prompt's recall list, as the shell and the history keep it,
  // and how many command lines were announced.
  std::vector<std::string> recalledCommandLines;
  int commandLinesExpected = 0;
};
