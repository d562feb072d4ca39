// Windows implementation of Platform: every effect is one command line for
// the console's command interpreter, as the program has always issued them.
#include "platform/platform.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <shellapi.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::wstring widen(std::string_view utf8) {
  if (utf8.empty())
    return {};
  int size = static_cast<int>(utf8.size());
  int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

class WindowsPlatform : public Platform {
 public:
  explicit WindowsPlatform(std::ostream& out) : out_(out) {}

  void setTitle(std::string_view title) override { run("title " + std::string(title)); }
  void clearScreen() override { run("cls"); }
  void applyColours(char background, char text) override {
    run(std::string("color ") + background + text);
  }
  void pause() override { run("pause"); }
  bool isReachable(std::string_view host) override {
    return run("ping -n 1 " + std::string(host) + " > NUL") == 0;
  }
  // Handed to the shell directly, not through "start": cmd would expand the
  // %...% between two escapes, as in "terms%20and%20conditions.md".
  void openPage(std::string_view address) override {
    out_.flush();
    std::wstring wide = widen(address);
    ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
  void restart() override { run("start Kalvex-Terminal-version.exe"); }

 private:
  // What we wrote must reach the console before the interpreter writes.
  int run(const std::string& commandLine) {
    out_.flush();
    return std::system(commandLine.c_str());
  }

  std::ostream& out_;
};

}  // namespace

std::unique_ptr<Platform> makeHostPlatform(std::istream&, std::ostream& out) {
  // Every message is UTF-8; the console must not read it as its OEM page.
  SetConsoleOutputCP(CP_UTF8);
  return std::make_unique<WindowsPlatform>(out);
}
