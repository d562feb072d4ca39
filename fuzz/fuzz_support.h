// What every fuzz target shares: a check that stops the run with a message
// when an invariant breaks, and one scratch directory per process for the
// files a target writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// Aborts with `what` on standard error when `holds` is false; unlike assert
// it stays in every build type.
void fuzzCheck(bool holds, std::string_view what);

// The process's scratch directory, created under TMPDIR on the first call
// and removed when the process exits normally. libFuzzer ends its runs with
// _Exit, so fuzz/run.sh points TMPDIR at a folder it removes afterwards.
const std::filesystem::path& scratchDirectory();

// Empties the scratch directory and makes it the working directory for as
// long as it lives, so each input starts from the same empty directory and
// libFuzzer, between inputs, finds the directory it was started in: its
// corpus paths may be relative. A crash leaves the scratch directory as the
// working directory, so pass -artifact_prefix as an absolute path.
class ScratchSession {
 public:
  ScratchSession();
  ~ScratchSession();
  ScratchSession(const ScratchSession&) = delete;
  ScratchSession& operator=(const ScratchSession&) = delete;

 private:
  std::filesystem::path previous_;
};

// The fuzzer's bytes as text.
inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

void writeScratchFile(const std::string& name, std::string_view content);
std::string readScratchFile(const std::string& name);
