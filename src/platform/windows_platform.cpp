// Windows implementation of Platform: every effect is one command line for
// the console's command interpreter, as the program has always issued them.
#include "platform/platform.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

class WindowsPlatform : public Platform {
 public:
  explicit WindowsPlatform(std::ostream& out) : out_(out) {}

  void setTitle(std::string_view title) override { run("title " + std::string(title)); }
  void clearScreen() override { run("cls"); }
  void applyColours(char background, char text) override {
    // NO_COLOR set, whatever its value: the user wants no colours.
    if (std::getenv("NO_COLOR"))
      return;
    run(std::string("color ") + background + text);
  }
  void pause() override { run("pause"); }
  bool isReachable(std::string_view host) override {
    return run("ping -n 1 " + std::string(host) + " > NUL") == 0;
  }
  void openPage(std::string_view address) override { run("start " + std::string(address)); }
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
