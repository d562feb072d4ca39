// Windows implementation of Platform: the console effects are the console
// command interpreter's own command lines, as the program has always issued
// them, run only when there is a console to change; a page is handed to the
// shell, and a restart runs a fresh instance in the same console.
#include "platform/executable_path.h"
#include "platform/platform.h"
#include "platform/windows/windows_api.h"
#include "platform/windows/windows_input.h"
#include "platform/windows/windows_output.h"
#include "platform/windows/windows_restart.h"
// shellapi.h needs the types windows.h declares.
#include <shellapi.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::string_view restartFailedMessage =
    "Errore: impossibile avviare una nuova copia del programma.";

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
  WindowsPlatform(std::ostream& out, std::ostream& err)
      : out_(out),
        errors_(err),
        outputIsConsole_(isConsole(GetStdHandle(STD_OUTPUT_HANDLE))),
        inputIsConsole_(isConsole(GetStdHandle(STD_INPUT_HANDLE))) {}
  ~WindowsPlatform() override {
    out_.flush();
    if (inputStream_)
      inputStream_->rdbuf(previousInputBuffer_);
    if (output_)
      out_.rdbuf(previousOutputBuffer_);
  }

  // Reads `in` through a buffer whose unused bytes a restart can hand on.
  void takeOverInput(std::istream& in) {
    input_ = std::make_unique<HandleInputBuffer>(GetStdHandle(STD_INPUT_HANDLE));
    inputStream_ = &in;
    previousInputBuffer_ = in.rdbuf(input_.get());
  }

  // Writes `out_` to standard output, keeping the reason of a failure.
  void takeOverOutput() {
    output_ = std::make_unique<HandleOutputBuffer>(GetStdHandle(STD_OUTPUT_HANDLE));
    previousOutputBuffer_ = out_.rdbuf(output_.get());
  }

  // The console's own commands change the console; with output going to a
  // file or pipe there is no console to change.
  void setTitle(std::string_view title) override {
    if (outputIsConsole_)
      run("title " + std::string(title));
  }
  void clearScreen() override {
    if (outputIsConsole_)
      run("cls");
  }
  void applyColours(char background, char text) override {
    // NO_COLOR set, whatever its value: the user wants no colours.
    if (!outputIsConsole_ || std::getenv("NO_COLOR"))
      return;
    run(std::string("color ") + background + text);
  }
  // Only a console has a key to wait for; piped input would be eaten by it.
  void pause() override {
    if (inputIsConsole_)
      run("pause");
  }
  bool isReachable(std::string_view host) override {
    return run("ping -n 1 " + std::string(host) + " > NUL") == 0;
  }
  // The address must reach the browser as it stands, escapes included.
  bool openPage(std::string_view address) override {
    out_.flush();
    std::wstring wide = widen(address);
    HiddenPercentNames hidden(wide);
    // Values above 32 mean the browser was started.
    auto started = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return started > 32;
  }
  // The new instance takes over the console; this one waits and then ends
  // with its status, as if the two had been one run.
  Result<int> restart() override {
    out_.flush();
    std::optional<std::filesystem::path> program = executablePath();
    std::string unread = input_ ? input_->takeUnread() : std::string();
    std::optional<unsigned long> status;
    if (program)
      status = runFreshInstance(program->wstring(), unread);
    if (!status)
      return Status::failure(Status::Code::ioError, std::string(restartFailedMessage));
    return static_cast<int>(*status);
  }
  void reportError(std::string_view message) override { errors_ << message << std::endl; }
  void reportOutputFailure() override {
    if (!output_) {
      Platform::reportOutputFailure();
      return;
    }
    std::string message = describeOutputError(output_->error());
    if (!message.empty())
      reportError(message);
  }

 private:
  // What we wrote must reach the console before the interpreter writes.
  int run(const std::string& commandLine) {
    out_.flush();
    return std::system(commandLine.c_str());
  }

  std::ostream& out_;
  std::ostream& errors_;
  bool outputIsConsole_;
  bool inputIsConsole_;
  std::unique_ptr<HandleInputBuffer> input_;
  std::istream* inputStream_ = nullptr;
  std::streambuf* previousInputBuffer_ = nullptr;
  std::unique_ptr<HandleOutputBuffer> output_;
  std::streambuf* previousOutputBuffer_ = nullptr;
};

}  // namespace

std::unique_ptr<Platform> makeHostPlatform(std::istream& in, std::ostream& out, std::ostream& err) {
  // Every message is UTF-8; the console must not read it as its OEM page.
  SetConsoleOutputCP(CP_UTF8);
  auto platform = std::make_unique<WindowsPlatform>(out, err);
  platform->takeOverInput(in);
  platform->takeOverOutput();
  return platform;
}
