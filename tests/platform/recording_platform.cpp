// A Platform that records what it was asked to do.
#include "platform/recording_platform.h"

#include <algorithm>
#include <cstring>

void RecordingPlatform::setTitle(std::string_view title) {
  effects.push_back("title " + std::string(title));
}

void RecordingPlatform::clearScreen() { effects.push_back("cls"); }

void RecordingPlatform::applyColours(char background, char text) {
  effects.push_back(std::string("color ") + background + text);
}

void RecordingPlatform::pause() { effects.push_back("pause"); }

bool RecordingPlatform::isReachable(std::string_view host) {
  effects.push_back("ping " + std::string(host));
  return online;
}

bool RecordingPlatform::openPage(std::string_view address) {
  effects.push_back("start " + std::string(address));
  return browserStarts;
}

Result<int> RecordingPlatform::restart() {
  effects.push_back("restart");
  if (newInstanceStatus)
    return *newInstanceStatus;
  return Status::failure(Status::Code::notFound, "restart failed");
}

void RecordingPlatform::sleepFor(std::chrono::milliseconds duration) {
  effects.push_back("sleep " + std::to_string(duration.count()));
}

Status RecordingPlatform::fillRandom(std::span<unsigned char> bytes) {
  if (bytes.size() > randomBytesLeft)
    return Status::failure(Status::Code::ioError, "no random source");
  randomBytesLeft -= bytes.size();
  randomBytesGiven += bytes.size();
  for (std::size_t at = 0; at < bytes.size(); at += sizeof nextRandomValue) {
    std::size_t size = std::min(sizeof nextRandomValue, bytes.size() - at);
    std::memcpy(bytes.data() + at, &nextRandomValue, size);
    ++nextRandomValue;
  }
  return Status::ok();
}

void RecordingPlatform::reportError(std::string_view message) {
  errors.push_back(std::string(message));
}

void RecordingPlatform::reportOutputFailure() { errors.push_back("output failure"); }

void RecordingPlatform::expectCommandLine() { ++commandLinesExpected; }

void RecordingPlatform::rememberCommandLine(std::string_view line) {
  recalledCommandLines.emplace_back(line);
}

void RecordingPlatform::forgetCommandLines() { recalledCommandLines.clear(); }
