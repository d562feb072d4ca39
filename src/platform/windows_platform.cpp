// Windows implementation of Platform: every effect but the opening of a page
// is one command line for the console's command interpreter, as the program
// has always issued them.
#include "platform/platform.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// shellapi.h needs the types windows.h declares.
#include <shellapi.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

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

// Both cmd and the shell's ShellExecute replace %NAME% with the variable NAME
// when it is set, and an address's escapes look just like that:
// "terms%20and%20conditions.md" holds %20and%. Every name that could be
// read between two percent signs is unset while the page is handed over.
class HiddenPercentNames {
 public:
  explicit HiddenPercentNames(const std::wstring& text) {
    std::size_t open = text.find(L'%');
    while (open != std::wstring::npos) {
      std::size_t close = text.find(L'%', open + 1);
      if (close == std::wstring::npos)
        break;
      hide(text.substr(open + 1, close - open - 1));
      open = close;
    }
  }
  ~HiddenPercentNames() {
    for (const auto& [name, value] : hidden_)
      SetEnvironmentVariableW(name.c_str(), value.c_str());
  }
  HiddenPercentNames(const HiddenPercentNames&) = delete;
  HiddenPercentNames& operator=(const HiddenPercentNames&) = delete;

 private:
  void hide(const std::wstring& name) {
    if (name.empty())
      return;
    DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (size == 0)
      return;
    std::wstring value(size, L'\0');
    DWORD length = GetEnvironmentVariableW(name.c_str(), value.data(), size);
    value.resize(length);
    if (SetEnvironmentVariableW(name.c_str(), nullptr))
      hidden_.emplace_back(name, std::move(value));
  }

  std::vector<std::pair<std::wstring, std::wstring>> hidden_;
};

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
  // The address must reach the browser as it stands, escapes included.
  void openPage(std::string_view address) override {
    out_.flush();
    std::wstring wide = widen(address);
    HiddenPercentNames hidden(wide);
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
