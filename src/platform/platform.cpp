// Helpers shared by every Platform implementation.
#include "platform/platform.h"

#include <ctime>
#include <thread>

#include "platform/host_file_system.h"
#include "platform/system_random.h"

bool isColourDigit(char digit) {
  return (digit >= '0' && digit <= '9') || (digit >= 'a' && digit <= 'f') ||
         (digit >= 'A' && digit <= 'F');
}

FileSystem& Platform::files() {
  static HostFileSystem files;
  return files;
}

void Platform::sleepFor(std::chrono::milliseconds duration) {
  std::this_thread::sleep_for(duration);
}

std::int64_t Platform::calendarSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

Status Platform::fillRandom(std::span<unsigned char> bytes) { return fillFromSystemRandom(bytes); }

void Platform::reportOutputFailure() { reportError(outputFailureMessage); }

std::string describeOutputFailure(OutputFailure failure, std::string_view reason) {
  if (failure == OutputFailure::readerGone)
    return {};
  if (failure == OutputFailure::deviceFull)
    reason = "spazio esaurito sul dispositivo";
  if (reason.empty())
    return std::string(outputFailureMessage);
  return "Errore: impossibile scrivere sull'output standard (" + std::string(reason) + ").";
}

// Only an editing terminal offers earlier lines; elsewhere there is nothing to
// keep.
void Platform::expectCommandLine() {}

void Platform::rememberCommandLine(std::string_view) {}

void Platform::forgetCommandLines() {}
